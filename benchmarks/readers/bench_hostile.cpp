// Hostile panel files, designer projects and skins, each read by its reader: the time taken and
// the peak memory above the program's before the read, beside the demonstration files read the
// same way. Every hostile file must be refused in under 1 s and 50 MB.

#include "canvas/ccomposite.h"
#include "formats/xskinhandler.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

enum class Reader { Panel, Designer, Skin };

// Kibibytes of a "Vm..." line of /proc/self/status.
qint64 statusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts a new peak: the kernel sets VmHWM back to VmRSS.
bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

QByteArray utf16(const QString &xml)
{
    return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom).encode(xml);
}

QByteArray panel(const QString &prolog, const QString &body)
{
    return utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + prolog + "<VXB>" + body +
                 "</VXB>\n");
}

QString label(const QString &text)
{
    return "<Scenes><Scene name=\"S\"><Panels><Panel name=\"P\" type=\"complete\"><Controls>"
           "<Control name=\"c\" type=\"Label\"><Property name=\"widget\"><label><text>" +
           text +
           "</text></label></Property></Control></Controls></Panel></Panels></Scene>"
           "</Scenes>";
}

QByteArray designer(const QByteArray &prolog, const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n" + prolog +
           "<Project version=\"4.3\"><Nodes><Node className=\"Orvik.Atelier.Nodes.Devices."
           "Bramble\"><Properties><Property name=\"title\" value=\"TQY2315E\"/></Properties>"
           "</Node></Nodes><Groups><Group id=\"1\"/></Groups>" +
           body + "</Project>\r\n";
}

const QString Entity = "<!DOCTYPE VXB [<!ENTITY e \"" + QString(4000, 'x') + "\">]>";
const QByteArray Nest = QByteArray("<a>").repeated(20000) + QByteArray("</a>").repeated(20000);

struct Case
{
    const char *name;
    Reader reader;
    std::function<QByteArray()> make; // null: the demonstration file
};

const Case Cases[] = {
    {"panel: demonstration", Reader::Panel, nullptr},
    {"panel: nested 20,000 deep", Reader::Panel, [] { return panel({}, QString(Nest)); }},
    {"panel: entity of 4,000 x 200,000", Reader::Panel,
     [] { return panel(Entity, label(QStringLiteral("&e;").repeated(200000))); }},
    {"panel: 16 MB label, UTF-8", Reader::Panel,
     [] {
         return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?><VXB>" + label(QString(16 << 20, 't')) +
                 "</VXB>")
             .toUtf8();
     }},
    {"panel: 16 MB label, UTF-16", Reader::Panel,
     [] { return panel({}, label(QString(16 << 20, 't'))); }},
    {"panel: 200,000 controls", Reader::Panel,
     [] {
         return panel({}, "<Scenes><Scene name=\"S\"><Panels><Panel name=\"P\"><Controls>" +
                              QString("<Control name=\"c\" type=\"Label\"/>").repeated(200000) +
                              "</Controls></Panel></Panels></Scene></Scenes>");
     }},
    {"panel: 600,000 elements", Reader::Panel,
     [] { return panel({}, QString("<a/>").repeated(600000)); }},
    {"panel: 33 MB", Reader::Panel, [] { return panel({}, QString(17 << 20, ' ')); }},
    {"designer: demonstration", Reader::Designer, nullptr},
    {"designer: nested 20,000 deep", Reader::Designer, [] { return designer({}, Nest); }},
    {"designer: entity of 4,000 x 200,000", Reader::Designer,
     [] {
         return designer(Entity.toLatin1().replace("VXB", "Project"),
                         "<Property name=\"title\" value=\"" + QByteArray("&e;").repeated(200000) +
                             "\"/>");
     }},
    {"skin: Light", Reader::Skin, nullptr},
    {"skin: nested 20,000 deep", Reader::Skin,
     [] { return "<Skin><string>" + Nest + "</string></Skin>"; }},
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false"));
    QTemporaryDir dir;
    bool allBounded = true;
    double baselineMs = 0;
    for (const Case &test : Cases) {
        QString path = test.reader == Reader::Panel ? QStringLiteral(DEMO_PANEL)
                                                    : QStringLiteral(DEMO_PROJECT);
        if (test.make) {
            path = dir.filePath(QStringLiteral("hostile"));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(test.make()) < 0)
                return 1;
        }
        const bool peakReset = resetPeak();
        const qint64 before = statusKiB("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        QString error;
        bool loaded = false;
        HRoot hardware;
        CComposite scenes(QStringLiteral("Scenes"), QString());
        QObject target;
        switch (test.reader) {
        case Reader::Panel:
            loaded = scenes.load(path, &hardware, QString(), nullptr, &error);
            break;
        case Reader::Designer:
            loaded = XVXJHandler::load(&hardware, path, false, nullptr, &error);
            break;
        case Reader::Skin: {
            QFile file(test.make ? path : XSkinHandler::skinPath(QStringLiteral("Light")));
            loaded = XSkinHandler::loadSkin(&target, &file);
            error = loaded ? QString() : QStringLiteral("reason in the log");
            break;
        }
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        const double peakMB = peakReset ? (statusKiB("VmHWM:") - before) / 1024.0 : -1;
        const QString result = QStringLiteral("%1%2; peak %3 MB above before")
                                   .arg(loaded ? "loaded" : "refused: ", error)
                                   .arg(peakMB, 0, 'f', 1);
        if (!test.make) {
            baselineMs = ms;
            std::printf("%s  %.1f ms  (%s)\n", test.name, ms, qPrintable(result));
            continue;
        }
        const bool bounded = !loaded && ms < 1000 && peakMB >= 0 && peakMB < 50;
        allBounded = allBounded && bounded;
        std::printf("%s  %.1f ms  (%s)\n", test.name, ms, qPrintable(result));
        std::printf("baseline demonstration  %.1f ms\n", baselineMs);
        std::printf("ratio %s  %.2f  (goal refused under 1000 ms and 50 MB: %s)\n", test.name,
                    ms / baselineMs, bounded ? "met" : "NOT met");
    }
    std::printf("%s\n", allBounded ? "every hostile file refused under 1 s and 50 MB"
                                   : "A HOSTILE FILE WAS NOT REFUSED WITHIN 1 s AND 50 MB");
    return allBounded ? 0 : 1;
}

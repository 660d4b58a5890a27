// Reading a large panel file into the scene and hardware trees, beside a bare
// QXmlStreamReader pass over the same bytes: the ratio is the price of building the records.

#include "canvas/ccomposite.h"
#include "hardware/hroot.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int kPanels = 50;
constexpr int kControlsPerPanel = 100;
constexpr int kRounds = 5;

QString control(int panel, int index)
{
    const int number = panel * kControlsPerPanel + index;
    return QStringLiteral(R"(<Control name="Fader %1" type="Slider">
<block>Gain %2</block><nodeID>%3</nodeID><nodeCategory>Blocks</nodeCategory>
<connection>Chassis|||30216</connection><id>%1</id>
<Property name="widget">
<frame><x>8</x><y>38</y><width>97</width><height>250</height><z>0</z></frame>
<slider><id>1</id><link>2</link><x>32</x><y>68</y><width>49</width><height>172</height>
<z>1</z><orient>vertical</orient></slider>
<label><x>12</x><y>42</y><width>89</width><height>22</height><text>Fader %1</text></label>
</Property>
<Property name="attributes"><struct>1</struct><index1>1</index1><minimum>-100</minimum>
<maximum>12</maximum><step>0.5</step><units>dB</units><transform>strV</transform></Property>
</Control>
)")
        .arg(number)
        .arg(number % 40)
        .arg(100 + number % 40);
}

QByteArray panelFile()
{
    QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-16"?>
<VXB><Connections><Connection name="Chassis|||30216"><Property name="attributes">
<ipaddress>127.0.0.1</ipaddress><serialport>10055</serialport><platform>NVA</platform>
</Property></Connection></Connections>
<Canvas><Property name="attributes"><size>6.238</size><aspect>1.6</aspect>
<orientation>1</orientation></Property></Canvas>
<Scenes><Scene name="Bench"><Panels>
)");
    for (int p = 0; p < kPanels; ++p) {
        xml += QStringLiteral("<Panel name=\"Panel %1\" type=\"complete\"><Controls>\n").arg(p);
        for (int c = 0; c < kControlsPerPanel; ++c)
            xml += control(p, c);
        xml += QStringLiteral("</Controls></Panel>\n");
    }
    xml += QStringLiteral("</Panels></Scene></Scenes></VXB>\n");
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : std::as_const(xml)) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

template<typename Work>
qint64 bestOf(Work work)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed());
    }
    return best;
}

int countControls(const CComposite &root)
{
    int controls = 0;
    for (int s = 0; s < root.childCount(); ++s) {
        const auto *scene = qobject_cast<const CComposite *>(root.child(s));
        for (int p = 0; scene && p < scene->childCount(); ++p) {
            if (const auto *panel = qobject_cast<const CComposite *>(scene->child(p)))
                controls += panel->childCount();
        }
    }
    return controls;
}

} // namespace

int main()
{
    // The reader's debug lines would measure the terminal, not the reader.
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.cpf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(panelFile()) < 0)
        return 1;
    file.close();

    int controls = 0;
    const qint64 reader = bestOf([&] {
        HRoot hardware;
        CComposite scenes(QStringLiteral("Scenes"), QString());
        scenes.load(path, &hardware, QString(), nullptr);
        controls = countControls(scenes);
    });

    qint64 tokens = 0;
    const qint64 bare = bestOf([&] {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return;
        QXmlStreamReader xml(&in);
        tokens = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            ++tokens;
        }
    });

    std::printf("panel file: %d controls, %.1f MiB (UTF-16)\n", controls,
                double(QFile(path).size()) / (1 << 20));
    std::printf("CComposite::load              %8.1f ms  (best of %d)\n", reader / 1e6, kRounds);
    std::printf("baseline QXmlStreamReader     %8.1f ms  (best of %d, %lld tokens)\n", bare / 1e6,
                kRounds, tokens);
    std::printf("ratio load / baseline         %8.2f\n", double(reader) / double(bare));
    return controls == kPanels * kControlsPerPanel ? 0 : 1;
}

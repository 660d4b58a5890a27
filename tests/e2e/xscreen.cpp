#include "xscreen.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace XScreen {

bool toolsPresent(QString *missing)
{
    for (const char *tool : {"xdotool", "import"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            *missing = QLatin1String(tool);
            return false;
        }
    }
    return true;
}

QByteArray xdotool(const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(1000);
        return QByteArray();
    }
    QByteArray output = process.readAllStandardOutput();
    // An empty success is still success.
    return output.isNull() ? QByteArray("") : output;
}

QRect findWindow(const QString &namePattern, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QByteArray ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), namePattern});
        const QByteArray id = ids.trimmed().split('\n').value(0);
        if (!id.isEmpty()) {
            const QByteArray shell = xdotool({QStringLiteral("getwindowgeometry"),
                                              QStringLiteral("--shell"), QString::fromLatin1(id)});
            QHash<QString, int> values;
            const QRegularExpression line(QStringLiteral("^(\\w+)=(\\d+)$"),
                                          QRegularExpression::MultilineOption);
            auto matches = line.globalMatch(QString::fromLatin1(shell));
            while (matches.hasNext()) {
                const QRegularExpressionMatch match = matches.next();
                values.insert(match.captured(1), match.captured(2).toInt());
            }
            const QRect window(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                               values.value(QStringLiteral("WIDTH")),
                               values.value(QStringLiteral("HEIGHT")));
            if (!window.isEmpty())
                return window;
        }
        QThread::msleep(100);
    }
    return QRect();
}

void click(const QPoint &at)
{
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

QImage shoot()
{
    QProcess process;
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    if (!process.waitForFinished(30000))
        return QImage();
    return QImage::fromData(process.readAllStandardOutput(), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

int difference(const QImage &a, const QImage &b, const QRect &rect)
{
    if (a.isNull() || b.isNull())
        return rect.width() * rect.height();
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                ++count;
        }
    }
    return count;
}

} // namespace XScreen

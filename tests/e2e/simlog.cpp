#include "simlog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

QList<SimLogLine> SimLog::lines(const QString &wanted) const
{
    QList<SimLogLine> lines;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd()) {
        const QByteArray raw = file.readLine();
        if (!raw.endsWith('\n'))
            break; // still being written
        // "<time> <device> < <command>"; the command may hold spaces, the others do not.
        const QString line = QString::fromUtf8(raw.chopped(1));
        const QString direction = line.section(QLatin1Char(' '), 2, 2);
        if (direction != wanted)
            continue;
        lines.append(
            {QDateTime::fromString(line.section(QLatin1Char(' '), 0, 0), Qt::ISODateWithMs),
             line.section(QLatin1Char(' '), 1, 1), line.section(QLatin1Char(' '), 3)});
    }
    return lines;
}

QList<SimLogLine> SimLog::receivedStartingWith(const QString &prefix, int from) const
{
    QList<SimLogLine> matching;
    const QList<SimLogLine> all = received();
    for (int i = from; i < all.size(); ++i) {
        if (all.at(i).command.startsWith(prefix))
            matching.append(all.at(i));
    }
    return matching;
}

bool SimLog::waitFor(const QString &prefix, int from, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (!receivedStartingWith(prefix, from).isEmpty())
            return true;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return !receivedStartingWith(prefix, from).isEmpty();
}

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The simulator's traffic log (--log): one line per command received ("<") or reply sent (">").
struct SimLogLine
{
    QDateTime time;
    QString device;
    QString command;
};

class SimLog
{
public:
    explicit SimLog(const QString &path)
        : m_path(path)
    {}

    // Commands received so far, in order.
    QList<SimLogLine> received() const { return lines(QStringLiteral("<")); }
    // Replies and pushes sent so far, in order.
    QList<SimLogLine> sent() const { return lines(QStringLiteral(">")); }
    // Received commands that start with prefix, from index `from` of received() on.
    QList<SimLogLine> receivedStartingWith(const QString &prefix, int from = 0) const;
    // Polls the log until a received command starts with prefix; false at the deadline.
    bool waitFor(const QString &prefix, int from, int timeoutMs) const;

private:
    QList<SimLogLine> lines(const QString &direction) const;

    QString m_path;
};

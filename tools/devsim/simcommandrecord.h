#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <deque>

// The latest commands received, oldest first. It forgets the oldest past a count and a byte
// budget, so that a long run or a flooding client cannot grow it without end.
class SimCommandRecord
{
public:
    SimCommandRecord(int maxCommands, qsizetype maxBytes);

    void append(const QString &device, const QByteArray &command);
    // Those of one device, or all when device is empty.
    QList<QByteArray> commands(const QString &device = QString()) const;

private:
    struct Entry
    {
        QString device;
        QByteArray command;
    };

    std::deque<Entry> m_entries;
    qsizetype m_bytes = 0;
    int m_maxCommands;
    qsizetype m_maxBytes;
};

#include "simcommandrecord.h"

SimCommandRecord::SimCommandRecord(int maxCommands, qsizetype maxBytes)
    : m_maxCommands(maxCommands)
    , m_maxBytes(maxBytes)
{}

void SimCommandRecord::append(const QString &device, const QByteArray &command)
{
    m_entries.push_back({device, command});
    m_bytes += command.size();
    while (int(m_entries.size()) > m_maxCommands || m_bytes > m_maxBytes) {
        m_bytes -= m_entries.front().command.size();
        m_entries.pop_front();
    }
}

QList<QByteArray> SimCommandRecord::commands(const QString &device) const
{
    QList<QByteArray> result;
    for (const Entry &entry : m_entries) {
        if (device.isEmpty() || entry.device == device)
            result.append(entry.command);
    }
    return result;
}

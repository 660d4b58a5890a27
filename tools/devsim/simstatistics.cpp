#include "simstatistics.h"

#include <QStringList>

#include <numeric>

void SimStatistics::addDevice(const QString &device)
{
    m_devices[device];
}

void SimStatistics::countCommand(const QString &device, const QString &kind)
{
    ++m_devices[device].commands[kind];
}

void SimStatistics::countSubscription(const QString &device)
{
    ++m_devices[device].subscriptions;
}

void SimStatistics::countFault(const QString &device, const QString &what)
{
    ++m_devices[device].faults[what];
}

int SimStatistics::commands(const QString &device, const QString &kind) const
{
    return m_devices.value(device).commands.value(kind);
}

int SimStatistics::subscriptions(const QString &device) const
{
    return m_devices.value(device).subscriptions;
}

int SimStatistics::faults(const QString &device, const QString &what) const
{
    return m_devices.value(device).faults.value(what);
}

QString SimStatistics::summary() const
{
    QStringList lines;
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it) {
        const Counts &counts = it.value();
        const int total = std::accumulate(counts.commands.cbegin(), counts.commands.cend(), 0);
        const int errors = std::accumulate(counts.faults.cbegin(), counts.faults.cend(), 0);
        lines << QStringLiteral("summary %1: commands %2 (%3), subscriptions %4, errors %5 (%6)")
                     .arg(it.key())
                     .arg(total)
                     .arg(listed(counts.commands))
                     .arg(counts.subscriptions)
                     .arg(errors)
                     .arg(listed(counts.faults));
    }
    return lines.join(QLatin1Char('\n'));
}

QString SimStatistics::listed(const QMap<QString, int> &counts)
{
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    return parts.join(QLatin1String(", "));
}

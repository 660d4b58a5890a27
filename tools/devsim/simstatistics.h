#pragma once

#include <QMap>
#include <QString>

// What the simulator saw, per device, for the summary printed at exit.
class SimStatistics
{
public:
    // A device is listed in the summary even when nothing reached it.
    void addDevice(const QString &device);
    void countCommand(const QString &device, const QString &kind);
    void countSubscription(const QString &device);
    void countFault(const QString &device, const QString &what);

    int commands(const QString &device, const QString &kind) const;
    int subscriptions(const QString &device) const;
    int faults(const QString &device, const QString &what) const;
    // One line per device: commands by kind, subscriptions, errors by kind.
    QString summary() const;

private:
    struct Counts
    {
        QMap<QString, int> commands;
        int subscriptions = 0;
        QMap<QString, int> faults;
    };

    static QString listed(const QMap<QString, int> &counts);

    QMap<QString, Counts> m_devices;
};

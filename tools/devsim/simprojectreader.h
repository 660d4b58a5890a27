#pragma once

#include "simdeviceconfig.h"

#include <QHash>
#include <QList>
#include <QString>

class CControl;
class HRoot;

// Learns from a project (archive or bare panel file), through the client's own readers, which
// devices to simulate and what their parameters read before anyone sets them.
class SimProjectReader
{
public:
    bool read(const QString &path);
    QString errorString() const { return m_errorString; }

    // With their telephone blocks: the blocks of the project's dialers.
    QList<SimDeviceConfig> devices() const { return m_devices; }
    // Per connection name: address text -> default value text.
    QHash<QString, QHash<QString, QString>> defaults() const { return m_defaults; }

private:
    bool readPanel(const QString &panelPath);
    void collectDevices(HRoot &hardware);
    void collectDefaults(const CControl *control);
    void addDefaults(const CControl &control);
    void addTelephone(const CControl &control);

    QString m_errorString;
    QList<SimDeviceConfig> m_devices;
    QHash<QString, QHash<QString, QString>> m_defaults;
};

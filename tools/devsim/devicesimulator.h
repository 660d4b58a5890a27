#pragma once

#include "simcommandrecord.h"
#include "simdeviceconfig.h"
#include "simfaults.h"
#include "simstatistics.h"
#include "simtelephone.h"
#include "simtrafficlog.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <map>
#include <memory>

class SimDevice;
class SimParameterStore;

// Simulates the devices of a project over loopback TCP, with switchable failure modes, for the
// client's tests and for trying the client without hardware.
//
// Set-up calls (loadProject, addDevice, setSeed, setFaults, ...) come before listen(); faults
// may also be changed while listening. Where a device argument is empty, the first device is
// meant.
class DeviceSimulator : public QObject
{
    Q_OBJECT

public:
    explicit DeviceSimulator(QObject *parent = nullptr);
    ~DeviceSimulator() override;

    // Every chassis of a project archive (".cpz", ".cpn") or bare panel file (".cpf").
    bool loadProject(const QString &path);
    void addDevice(const SimDeviceConfig &config);
    // Keeps only the named device (the first when name is empty), served on port.
    bool selectSingleDevice(quint16 port, const QString &name = QString());
    // Every device on a port that the system chooses (port 0).
    void setEphemeralPorts(bool on);
    // Without it, a device whose address is not loopback is served on 127.0.0.1.
    void setBindAnyAddress(bool on);
    void setSeed(quint32 seed);
    void setFaults(const SimFaults &faults);
    SimFaults faults() const { return m_faults; }
    bool setLogFile(const QString &path);
    // Every interval rooms 1 and 2 of group 1 on the first device are joined, then split again,
    // as a wall panel at the venue would; 0 stops it.
    void setCombineInterval(int ms);

    bool listen();
    QString errorString() const { return m_errorString; }

    QStringList deviceNames() const;
    QHostAddress address(const QString &device = QString()) const;
    quint16 port(const QString &device = QString()) const;

    // Changes a parameter as if a client had set it: subscribers are told.
    void setValue(const QString &address, const QString &value, const QString &device = QString());
    QString value(const QString &address, const QString &device = QString()) const;
    // The latest command texts as received, oldest first; older ones are forgotten past
    // SimLimits::RecordedCommands or RecordedBytes (the log file keeps them all).
    QList<QByteArray> receivedCommands(const QString &device = QString()) const;
    const SimStatistics &statistics() const { return m_statistics; }

    // Telephone lines; an empty block means the device's first telephone, an empty device the
    // first device that has one. False when there is no such line or it cannot do it now.
    bool startIncomingCall(const QString &number, const QString &name = QString(),
                           const QString &block = QString(), const QString &device = QString());
    bool hangUpFarEnd(const QString &block = QString(), const QString &device = QString());
    QString telephoneTones(const QString &block = QString(),
                           const QString &device = QString()) const;
    void setTelephoneTiming(const SimTelephone::Timing &timing);
    // How long the far end of a dialled call rings before it answers.
    void setAnswerDelay(int ms);
    // Dialled numbers are busy instead of ringing.
    void setBusy(bool on);
    // A connected call ends from the far end after ms; 0 never.
    void setFarHangUpDelay(int ms);
    QString summary() const { return m_statistics.summary(); }

signals:
    void commandReceived(const QString &device, const QByteArray &command);
    void replyWritten(const QString &device, const QByteArray &entry);
    // Each write to a socket; a split reply gives one per chunk.
    void bytesWritten(const QString &device, const QByteArray &chunk);
    void subscribed(const QString &device, const QString &address);
    void telephoneStateChanged(const QString &device, const QString &block, const QString &state);

private:
    QString deviceName(const QString &device) const;
    SimParameterStore *store(const QString &device) const;
    SimDeviceConfig servedSpec(SimDeviceConfig config) const;
    void attach(SimDevice *device);
    void toggleCombo();
    SimTelephone *telephone(const QString &block, const QString &device) const;

    QList<SimDeviceConfig> m_specs;
    std::map<QString, std::unique_ptr<SimParameterStore>> m_stores;
    QList<SimDevice *> m_devices; // children
    SimFaults m_faults;
    quint32 m_seed = 0;
    bool m_ephemeralPorts = false;
    bool m_bindAnyAddress = false;
    SimCommandRecord m_received;
    SimStatistics m_statistics;
    SimTrafficLog m_log;
    QTimer m_combineTimer;
    bool m_combineJoins = true;
    SimTelephone::Timing m_telephoneTiming;
    QString m_errorString;
};

#pragma once

#include "simdeviceconfig.h"
#include "simfaults.h"
#include "simlistener.h"
#include "simmetergenerator.h"
#include "simtelephone.h"

#include <QList>
#include <QObject>
#include <QRandomGenerator>

class SimCommand;
class SimComboStep;
class SimConnection;
class SimParameterStore;
class QTcpSocket;

// One simulated device: a TCP server on the device's address and port that answers the command
// protocol from its parameter store and pushes changes to subscribers.
class SimDevice : public QObject
{
    Q_OBJECT

public:
    // The store is not owned; it keeps the values when the device is gone.
    SimDevice(const SimDeviceConfig &config, SimParameterStore *store, quint32 seed,
              QObject *parent = nullptr);
    ~SimDevice() override;

    QString name() const { return m_spec.name; }
    QHostAddress address() const { return m_spec.address; }
    // The port in use once listen() succeeded; the requested one before.
    quint16 port() const { return m_port; }
    QString errorString() const { return m_errorString; }

    void setFaults(const SimFaults &faults);
    // Under a refusing fault the port is only reserved, so that it can be reported.
    bool listen();
    SimParameterStore *store() const { return m_store; }
    int subscriptionCount() const { return int(m_subscriptions.size()); }
    // Readings per level reply: amplifier outputs come in eights, processor cards in fours.
    int meterWidth() const;
    // An SRC line applied as if a client had sent it; anything else is ignored.
    void applyComboText(const QByteArray &line);
    // The device's telephone lines in the order they became known.
    QList<SimTelephone *> telephones() const { return m_telephones; }
    // nullptr when the block is no telephone (yet).
    SimTelephone *telephone(const QString &block) const;
    SimTelephone *addTelephone(const QString &block, bool voip);
    void setTelephoneTiming(const SimTelephone::Timing &timing);

signals:
    void commandReceived(const QByteArray &command, const QString &kind);
    void replyWritten(const QByteArray &entry);
    void bytesWritten(const QByteArray &chunk);
    void subscribed(const QString &address);
    void telephoneStateChanged(const QString &block, const QString &state);
    // "nak", "unanswered", "closed", "unknown" or "dropped" (a client past a limit).
    void fault(const QString &what);

private:
    struct Subscription
    {
        SimConnection *connection;
        QByteArray query;
    };

    void onAccepted(QTcpSocket *socket);
    void onCommand(SimConnection *connection, const QByteArray &line);
    void onConnectionClosed(SimConnection *connection);
    void onValueChanged(const QString &address, const QString &value);
    bool injectFault(SimConnection *connection);
    void answer(SimConnection *connection, const SimCommand &command);
    void subscribe(SimConnection *connection, const SimCommand &command);
    void unsubscribe(SimConnection *connection, const SimCommand &command);
    QByteArray queryReply(const SimCommand &query);
    void applyCombos(const QList<SimComboStep> &steps);
    QString comboText(int group) const;
    bool reserveRefusedPort();
    bool playTelephone(const SimCommand &command);

    SimDeviceConfig m_spec;
    quint16 m_port;
    SimFaults m_faults;
    SimListener m_listener;
    SimParameterStore *m_store;
    QList<SimConnection *> m_connections;
    QList<Subscription> m_subscriptions;
    QList<SimTelephone *> m_telephones; // children
    SimTelephone::Timing m_telephoneTiming;
    QRandomGenerator m_random;
    SimMeterGenerator m_meters;
    QString m_errorString;
    bool m_started = false;
};

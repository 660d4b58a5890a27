#pragma once

#include "comm/clientmessage.h"

#include <QObject>
#include <QString>

class QHostAddress;
class HNode;
class PProtocol;

// The transport end of one device connection. Used as is, it is the null interface: every
// operation does nothing and reports failure or 0.
class IInterface : public QObject
{
    Q_OBJECT

public:
    enum ConnectionState { Idle = 0, Connecting = 1, Online = 2, Reconnecting = 3, Resetting = 4 };
    Q_ENUM(ConnectionState)

    enum MessageType { Acknowledged = 0, Query = 1, NoAnswer = 2, Immediate = 3 };

    // What the network status tells a user of the link: finer than the state, it says why a
    // device is offline.
    enum LinkState {
        LinkIdle,
        LinkConnecting,
        LinkOnline,
        LinkUnreachable,
        LinkRefused,
        LinkResetting
    };
    Q_ENUM(LinkState)

    explicit IInterface(QObject *parent = nullptr);

    static QString stateText(int state);
    static QString linkStateText(LinkState state);

    virtual bool open();
    virtual bool close();
    virtual void start();
    virtual void stop();
    virtual uint send(const char *data, int length, int type, const char *expectedReply,
                      uint timeoutMs);
    // As send, with the set command's target; an interface without a queue just sends it.
    virtual uint post(const ClientMessage &message);
    virtual bool waitForBytesWritten(int msecs);
    virtual void notifyState();
    virtual QString stateText() const;
    virtual void dump() const;
    virtual QString name() const;
    virtual QString address() const;
    virtual void setAddress(const QHostAddress &address);
    virtual void setPort(quint16 port);
    virtual int state() const;
    virtual void setProtocol(PProtocol *protocol);
    virtual bool isSubscriptionModeSet() const;
    virtual void resetSubscriptionMode();
    virtual bool subscriptionMode() const;
    virtual void setSubscriptionMode(bool on);
    virtual void armHostCheck();
    virtual LinkState linkState() const;
    // Milliseconds since the device last sent anything; -1 when it never has.
    virtual qint64 msSinceReply() const;
    // Messages given up since the program started; failureCount restarts with each connection.
    virtual int failedMessages() const;

    PProtocol *protocol() const { return m_protocol; }
    HNode *owner() const { return m_owner; }
    void setOwner(HNode *owner) { m_owner = owner; }
    bool isOnline() const { return m_online; }
    // False from a reset for failed messages until the device answers one again: such a device
    // counts as down for the connection indicator, though its link may be up.
    bool isAnswering() const { return m_answering; }
    int failureCount() const { return m_failureCount; }

Q_SIGNALS:
    void interfaceStateChanged(bool isConnected);
    void connectionClose();

protected:
    // Every change of the online flag is reported, so the indicator never lags.
    void setOnline(bool online);
    void setFailureCount(int count) { m_failureCount = count; }
    void setAnswering(bool answering) { m_answering = answering; }

private:
    PProtocol *m_protocol = nullptr;
    HNode *m_owner = nullptr;
    bool m_online = false;
    bool m_answering = true;
    int m_failureCount = 0;
};

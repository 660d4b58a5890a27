#pragma once

#include "comm/iinterface.h"

#include <QAbstractSocket>

class QTcpServer;
class QTcpSocket;

// The listener of receive mode. It serves exactly one sender: the listener closes as soon as a
// peer is accepted. Each chunk the peer sends goes to the protocol as it arrives.
class ITcpServer : public IInterface
{
    Q_OBJECT

public:
    explicit ITcpServer(QObject *parent = nullptr);
    ~ITcpServer() override;

    bool open() override;
    bool close() override;
    uint send(const char *data, int length, int type, const char *expectedReply,
              uint timeoutMs) override;
    void dump() const override;
    QString name() const override;
    void setPort(quint16 port) override;

    // The port listened on; with port 0 set, the one the system chose.
    quint16 port() const;
    void setVerbose(bool verbose) { m_verbose = verbose; }
    // Listen again once the peer has gone.
    void setRelisten(bool relisten) { m_relisten = relisten; }
    // The peer's address, empty without one.
    QString peerAddress() const;
    // Why the listener failed.
    QString errorString() const;

public Q_SLOTS:
    void newConnection();
    void error(QAbstractSocket::SocketError socketError);
    void serverror(QAbstractSocket::SocketError socketError);
    void stateChanged(QAbstractSocket::SocketState socketState);
    void connected();
    void disconnected();
    void readyRead();
    void readChannelFinished();
    void aboutToClose();

private:
    bool listen();
    void status(const QString &text) const;
    void dropPeer();

    QTcpServer *m_server = nullptr;
    QTcpSocket *m_peer = nullptr;
    quint16 m_port = 0;
    bool m_verbose = false;
    bool m_relisten = false;
};

#include "comm/itcpserver.h"

#include "comm/pprotocol.h"
#include "util/logcategories.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <cstring>

ITcpServer::ITcpServer(QObject *parent)
    : IInterface(parent)
{}

ITcpServer::~ITcpServer()
{
    close();
}

bool ITcpServer::open()
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &ITcpServer::newConnection);
        connect(m_server, &QTcpServer::acceptError, this, &ITcpServer::serverror);
    }
    return listen();
}

bool ITcpServer::listen()
{
    if (!m_server) {
        qCWarning(lcTcp) << "Attempting to open a QTcpServer that is null.";
        return false;
    }
    if (m_server->isListening() && (m_port == 0 || m_server->serverPort() == m_port)) {
        qCDebug(lcTcp) << "ITCPServer is already listening on port " << m_port;
        return true;
    }
    if (!m_server->listen(QHostAddress::Any, m_port)) {
        qCWarning(lcTcp).noquote()
            << "Error " << m_server->serverError() << ": Starting listener on port: " << m_port
            << " - " << m_server->errorString();
        return false;
    }
    qCDebug(lcTcp) << "ITCPServer has started listening on port " << m_port;
    return true;
}

bool ITcpServer::close()
{
    qCDebug(lcTcp) << "TCP Server closed cleanly.";
    dropPeer();
    if (m_server) {
        m_server->disconnect(this);
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    return true;
}

void ITcpServer::dropPeer()
{
    if (!m_peer)
        return;
    QTcpSocket *peer = m_peer;
    m_peer = nullptr;
    // Signals first: a disconnect reported from here would end a transfer twice.
    peer->disconnect(this);
    peer->abort();
    peer->deleteLater();
    if (isOnline())
        setOnline(false);
}

uint ITcpServer::send(const char *data, int length, int, const char *, uint)
{
    if (!m_peer || !data)
        return 0;
    const qint64 size = length < 0 ? qint64(std::strlen(data)) : length;
    const qint64 written = m_peer->write(data, size);
    return written > 0 ? uint(written) : 0;
}

void ITcpServer::dump() const
{
    qCDebug(lcTcp) << this << name();
}

QString ITcpServer::name() const
{
    return QStringLiteral("TcpServer Interface");
}

void ITcpServer::setPort(quint16 port)
{
    m_port = port;
}

quint16 ITcpServer::port() const
{
    return m_server && m_server->isListening() ? m_server->serverPort() : m_port;
}

QString ITcpServer::peerAddress() const
{
    if (!m_peer)
        return {};
    // The listener takes both families; an IPv4 sender is named as such.
    bool v4 = false;
    const quint32 address = m_peer->peerAddress().toIPv4Address(&v4);
    return v4 ? QHostAddress(address).toString() : m_peer->peerAddress().toString();
}

QString ITcpServer::errorString() const
{
    return m_server ? m_server->errorString() : QString();
}

void ITcpServer::newConnection()
{
    if (!m_server)
        return;
    QTcpSocket *peer = m_server->nextPendingConnection();
    if (!peer)
        return;
    if (m_peer) {
        // One sender at a time: a second one is turned away, never mixed into the file.
        peer->abort();
        peer->deleteLater();
        return;
    }
    m_peer = peer;
    // The listener goes before the peer does, often from within the peer's own signals.
    peer->setParent(this);
    connect(peer, &QTcpSocket::readyRead, this, &ITcpServer::readyRead);
    connect(peer, &QTcpSocket::readChannelFinished, this, &ITcpServer::readChannelFinished);
    connect(peer, &QTcpSocket::connected, this, &ITcpServer::connected);
    connect(peer, &QTcpSocket::disconnected, this, &ITcpServer::disconnected);
    connect(peer, &QTcpSocket::stateChanged, this, &ITcpServer::stateChanged);
    connect(peer, &QTcpSocket::errorOccurred, this, &ITcpServer::error);
    connect(peer, &QTcpSocket::aboutToClose, this, &ITcpServer::aboutToClose);
    status(QStringLiteral("newConnection: ") + peer->peerAddress().toString() +
           QStringLiteral(" -> ") + peer->localAddress().toString());
    // Connections the system accepted meanwhile go with the listener.
    while (QTcpSocket *late = m_server->nextPendingConnection()) {
        late->abort();
        late->deleteLater();
    }
    m_server->close();
    setOnline(true);
    // Bytes may have come with the connection.
    if (peer->bytesAvailable() > 0)
        readyRead();
}

void ITcpServer::error(QAbstractSocket::SocketError socketError)
{
    if (socketError != QAbstractSocket::RemoteHostClosedError && m_peer)
        qCDebug(lcTcp).noquote() << "Receive Mode TCP Error: " << m_peer->errorString();
}

void ITcpServer::serverror(QAbstractSocket::SocketError socketError)
{
    status(QStringLiteral("serverror: %1").arg(int(socketError)));
}

void ITcpServer::stateChanged(QAbstractSocket::SocketState socketState)
{
    status(QStringLiteral("stateChanged: %1").arg(int(socketState)));
}

void ITcpServer::connected()
{
    status(QStringLiteral("connected"));
}

void ITcpServer::disconnected()
{
    if (!m_peer)
        return;
    // Whatever the peer sent before closing belongs to the file.
    readyRead();
    dropPeer();
    Q_EMIT connectionClose();
    if (m_relisten)
        listen();
}

void ITcpServer::readyRead()
{
    if (!m_peer)
        return;
    const QByteArray bytes = m_peer->readAll();
    if (!bytes.isEmpty() && protocol())
        protocol()->handleReply(bytes);
}

void ITcpServer::readChannelFinished()
{
    status(QStringLiteral("readChannelFinished"));
}

void ITcpServer::aboutToClose()
{
    status(QStringLiteral("aboutToClose"));
}

void ITcpServer::status(const QString &text) const
{
    if (m_verbose)
        qCDebug(lcTcp).noquote() << text;
}

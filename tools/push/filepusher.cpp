#include "filepusher.h"

#include "comm/pfileprotocol.h"
#include "util/logcategories.h"

FilePusher::FilePusher(QObject *parent)
    : QObject(parent)
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeoutMs);
    m_stallTimer.setSingleShot(true);
    m_stallTimer.setInterval(StallTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] {
        fail(tr("%1 did not answer within %2 s")
                 .arg(target(), QString::number(m_connectTimer.interval() / 1000.0)));
    });
    connect(&m_stallTimer, &QTimer::timeout, this, [this] {
        fail(tr("%1 took no data for %2 s; %3 of %4 bytes got through")
                 .arg(target(), QString::number(m_stallTimer.interval() / 1000.0),
                      QString::number(m_sent), QString::number(m_total)));
    });
    connect(&m_socket, &QTcpSocket::connected, this, &FilePusher::onConnected);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &FilePusher::onBytesWritten);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &FilePusher::onError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &FilePusher::onDisconnected);
}

bool FilePusher::push(const QString &host, quint16 port, const QString &path)
{
    m_host = host;
    m_port = port;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = tr("cannot read %1: %2").arg(path, m_file.errorString());
        return false;
    }
    m_total = m_file.size();
    // The client keeps its project when nothing arrives, so an empty push could only mislead.
    if (m_total == 0) {
        m_error = tr("%1 is empty").arg(path);
        m_file.close();
        return false;
    }
    qCDebug(lcTcp) << "push: connecting to" << target();
    m_connectTimer.start();
    m_socket.connectToHost(host, port);
    return true;
}

void FilePusher::onConnected()
{
    m_connectTimer.stop();
    m_connected = true;
    qCDebug(lcTcp) << "push: connected to" << target();
    emit connected();
    m_stallTimer.start();
    sendNext();
}

void FilePusher::onBytesWritten(qint64 bytes)
{
    m_sent += bytes;
    m_stallTimer.start();
    emit progress(m_sent, m_total);
    // One chunk in flight at a time, as the design tool sends.
    if (m_socket.bytesToWrite() == 0 && !m_closing && !m_ended)
        sendNext();
}

void FilePusher::sendNext()
{
    const QByteArray chunk = m_file.read(PFileProtocol::ChunkBytes);
    if (chunk.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError) {
            fail(tr("cannot read %1: %2").arg(m_file.fileName(), m_file.errorString()));
            return;
        }
        // The receiver takes the end of the stream for the end of the file.
        qCDebug(lcTcp) << "push: all" << m_sent << "bytes written, closing";
        m_closing = true;
        m_socket.disconnectFromHost();
        return;
    }
    if (m_socket.write(chunk) != chunk.size())
        fail(tr("cannot write to %1: %2").arg(target(), m_socket.errorString()));
}

void FilePusher::onError(QAbstractSocket::SocketError error)
{
    if (m_connected) {
        fail(tr("the connection to %1 broke after %2 of %3 bytes: %4")
                 .arg(target(), QString::number(m_sent), QString::number(m_total),
                      m_socket.errorString()));
        return;
    }
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        fail(tr("nothing is listening on %1; is the client in Receive mode?").arg(target()));
        break;
    case QAbstractSocket::HostNotFoundError:
        fail(tr("cannot find host %1: %2").arg(m_host, m_socket.errorString()));
        break;
    default:
        fail(tr("cannot connect to %1: %2").arg(target(), m_socket.errorString()));
        break;
    }
}

void FilePusher::onDisconnected()
{
    if (m_ended)
        return;
    if (!m_closing) {
        fail(tr("%1 closed the connection after %2 of %3 bytes")
                 .arg(target(), QString::number(m_sent), QString::number(m_total)));
        return;
    }
    end(true);
}

void FilePusher::fail(const QString &message)
{
    if (m_ended)
        return;
    // The program prints the message itself.
    qCDebug(lcTcp) << "push:" << message;
    m_error = message;
    end(false);
    // After the end, so that the disconnect it reports is not taken for one.
    m_socket.abort();
}

void FilePusher::end(bool ok)
{
    m_ended = true;
    m_connectTimer.stop();
    m_stallTimer.stop();
    m_file.close();
    emit finished(ok);
}

QString FilePusher::target() const
{
    return QStringLiteral("%1:%2").arg(m_host, QString::number(m_port));
}

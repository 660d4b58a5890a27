#include "simconnection.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr char Ack = 0x06;
constexpr char Nak = 0x15;

// ACK and NAK travel as single bytes; text replies end with CR.
QByteArray terminated(const QByteArray &entry)
{
    if (entry.size() == 1 && (entry[0] == Ack || entry[0] == Nak))
        return entry;
    return entry + '\r';
}

} // namespace

SimConnection::SimConnection(QTcpSocket *socket, const SimFaults &faults, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_faults(faults)
{
    m_socket->setParent(this);
    // Without it the chunks of a split reply would be merged again on the way out.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, &SimConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &SimConnection::closed);
}

void SimConnection::setFaults(const SimFaults &faults)
{
    m_faults = faults;
}

void SimConnection::queueReply(const QByteArray &entry)
{
    m_pending.append(entry);
    scheduleFlush();
}

void SimConnection::onReadyRead()
{
    m_input += m_socket->readAll();
    while (!m_closing) {
        const int end = m_input.indexOf('\r');
        const int newline = m_input.indexOf('\n');
        const int cut = (end < 0 || (newline >= 0 && newline < end)) ? newline : end;
        if (cut < 0)
            break;
        const QByteArray line = m_input.left(cut).trimmed();
        m_input.remove(0, cut + 1);
        if (line.isEmpty())
            continue;
        ++m_commands;
        emit commandReceived(line);
        if (m_faults.closeAfter > 0 && m_commands >= m_faults.closeAfter) {
            m_closing = true;
            emit closedByFault();
            scheduleFlush();
        }
    }
}

void SimConnection::scheduleFlush()
{
    if (m_flushScheduled)
        return;
    m_flushScheduled = true;
    QMetaObject::invokeMethod(this, &SimConnection::flush, Qt::QueuedConnection);
}

void SimConnection::flush()
{
    m_flushScheduled = false;
    const QList<QByteArray> batch = std::exchange(m_pending, {});
    if (m_faults.delayMs > 0 && !batch.isEmpty()) {
        ++m_delayedBatches;
        QTimer::singleShot(m_faults.delayMs, this, [this, batch] {
            --m_delayedBatches;
            writeBatch(batch);
            closeWhenWritten();
        });
        return;
    }
    writeBatch(batch);
    closeWhenWritten();
}

void SimConnection::writeBatch(const QList<QByteArray> &batch)
{
    if (m_faults.join && batch.size() > 1) {
        writeBytes(batch.join(';') + '\r');
    } else {
        for (const QByteArray &entry : batch)
            writeBytes(terminated(entry));
    }
    for (const QByteArray &entry : batch)
        emit replyWritten(entry);
}

void SimConnection::writeBytes(const QByteArray &data)
{
    const int chunk = m_faults.splitBytes > 0 ? m_faults.splitBytes : int(data.size());
    for (int at = 0; at < data.size(); at += chunk) {
        const QByteArray piece = data.mid(at, chunk);
        m_socket->write(piece);
        m_socket->flush();
        emit bytesWritten(piece);
    }
}

void SimConnection::closeWhenWritten()
{
    if (m_closing && m_delayedBatches == 0 && m_pending.isEmpty())
        m_socket->disconnectFromHost();
}

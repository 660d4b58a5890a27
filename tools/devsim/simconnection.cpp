#include "simconnection.h"

#include "simlimits.h"

#include <QTcpSocket>
#include <QTimer>

#include <utility>

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
    // A flood is taken in line-sized bites, so that the other clients are served in between.
    m_socket->setReadBufferSize(SimLimits::LineBytes);
    connect(m_socket, &QTcpSocket::readyRead, this, &SimConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &SimConnection::onDisconnected);
}

void SimConnection::setFaults(const SimFaults &faults)
{
    m_faults = faults;
}

void SimConnection::queueReply(const QByteArray &entry)
{
    if (m_dropped)
        return;
    m_pending.append(entry);
    m_unsent += entry.size() + 1;
    if (withinOutputCap())
        scheduleFlush();
}

void SimConnection::onReadyRead()
{
    if (m_dropped)
        return;
    // What was kept from the last read holds no line end: only the new bytes are searched, and
    // the lines taken are cut off the front once, not one by one.
    const qsizetype searched = m_input.size();
    m_input += m_socket->readAll();
    qsizetype start = 0;
    for (qsizetype at = searched; at < m_input.size() && !m_closing; ++at) {
        const char byte = m_input.at(at);
        if (byte != '\r' && byte != '\n')
            continue;
        if (!takeLine(start, at))
            return;
        start = at + 1;
    }
    if (m_closing) {
        m_input.clear();
        return;
    }
    m_input.remove(0, start);
    if (m_input.size() > SimLimits::LineBytes)
        drop(QStringLiteral("a line over %1 bytes").arg(SimLimits::LineBytes));
}

bool SimConnection::takeLine(qsizetype from, qsizetype to)
{
    if (to - from > SimLimits::LineBytes) {
        drop(QStringLiteral("a line over %1 bytes").arg(SimLimits::LineBytes));
        return false;
    }
    const QByteArray line = m_input.sliced(from, to - from).trimmed();
    if (line.isEmpty())
        return true;
    ++m_commands;
    emit commandReceived(line);
    if (m_dropped)
        return false;
    if (m_faults.closeAfter > 0 && m_commands >= m_faults.closeAfter) {
        m_closing = true;
        emit closedByFault();
        scheduleFlush();
    }
    return true;
}

bool SimConnection::withinOutputCap()
{
    if (m_unsent + m_socket->bytesToWrite() <= SimLimits::UnsentBytes)
        return true;
    drop(QStringLiteral("over %1 bytes of replies unread").arg(SimLimits::UnsentBytes));
    return false;
}

void SimConnection::drop(const QString &why)
{
    if (std::exchange(m_dropped, true))
        return;
    m_closing = true;
    m_input = QByteArray();
    m_pending.clear();
    m_unsent = 0;
    emit dropped(why);
    // Later: the caller may be walking a list of connections or subscriptions.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_socket->abort();
            onDisconnected();
        },
        Qt::QueuedConnection);
}

void SimConnection::onDisconnected()
{
    if (!std::exchange(m_closed, true))
        emit closed();
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
    if (m_dropped)
        return;
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
    if (m_dropped)
        return;
    for (const QByteArray &entry : batch)
        m_unsent -= entry.size() + 1;
    if (m_faults.join && batch.size() > 1) {
        writeBytes(batch.join(';') + '\r');
    } else {
        for (const QByteArray &entry : batch)
            writeBytes(terminated(entry));
    }
    for (const QByteArray &entry : batch)
        emit replyWritten(entry);
    withinOutputCap();
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
    if (m_closing && !m_dropped && m_delayedBatches == 0 && m_pending.isEmpty())
        m_socket->disconnectFromHost();
}

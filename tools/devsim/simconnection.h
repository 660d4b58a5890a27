#pragma once

#include "simfaults.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QTcpSocket;

// One client connection of a simulated device: cuts the incoming bytes into command lines and
// writes the replies with the framing faults in force (delay, split, join, close after N). A
// client past a line or unsent-reply cap (SimLimits) is dropped.
class SimConnection : public QObject
{
    Q_OBJECT

public:
    // Takes the socket over as a child.
    SimConnection(QTcpSocket *socket, const SimFaults &faults, QObject *parent = nullptr);

    void setFaults(const SimFaults &faults);
    // One reply entry, without its line end. Entries queued during one event go out together.
    void queueReply(const QByteArray &entry);
    int commandCount() const { return m_commands; }

signals:
    void commandReceived(const QByteArray &line);
    void replyWritten(const QByteArray &entry);
    void bytesWritten(const QByteArray &chunk);
    void closedByFault();
    // Once, just before closed().
    void dropped(const QString &why);
    void closed();

private:
    void onReadyRead();
    bool takeLine(qsizetype from, qsizetype to);
    bool withinOutputCap();
    void drop(const QString &why);
    void onDisconnected();
    void scheduleFlush();
    void flush();
    void writeBatch(const QList<QByteArray> &batch);
    void writeBytes(const QByteArray &data);
    void closeWhenWritten();

    QTcpSocket *m_socket;
    SimFaults m_faults;
    QByteArray m_input;
    // Replies queued or held back by a delay, not yet handed to the socket.
    qint64 m_unsent = 0;
    QList<QByteArray> m_pending;
    bool m_flushScheduled = false;
    bool m_closing = false;
    bool m_dropped = false;
    bool m_closed = false;
    int m_commands = 0;
    int m_delayedBatches = 0;
};

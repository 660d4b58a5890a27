#pragma once

#include "simfaults.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QTcpSocket;

// One client connection of a simulated device: cuts the incoming bytes into command lines and
// writes the replies with the framing faults in force (delay, split, join, close after N).
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
    void closed();

private:
    void onReadyRead();
    void scheduleFlush();
    void flush();
    void writeBatch(const QList<QByteArray> &batch);
    void writeBytes(const QByteArray &data);
    void closeWhenWritten();

    QTcpSocket *m_socket;
    SimFaults m_faults;
    QByteArray m_input;
    QList<QByteArray> m_pending;
    bool m_flushScheduled = false;
    bool m_closing = false;
    int m_commands = 0;
    int m_delayedBatches = 0;
};

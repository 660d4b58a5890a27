#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <memory>

class QSocketNotifier;
class QTcpSocket;

// The listening socket of a simulated device. It accepts by itself: QTcpServer (Qt 6.4) retries
// an accept that fails for want of file descriptors at once and forever, a busy loop that
// starves every client, and says nothing. Here accepting rests for a while instead.
class SimListener : public QObject
{
    Q_OBJECT

public:
    explicit SimListener(QObject *parent = nullptr);
    ~SimListener() override;

    bool listen(const QHostAddress &address, quint16 port);
    void close();
    bool isListening() const { return m_server.isListening(); }
    quint16 serverPort() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }

signals:
    // The socket is a child of the listener until the receiver takes it over.
    void accepted(QTcpSocket *socket);

private:
    void acceptPending();
    void rest();

    QTcpServer m_server;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_restTimer;
    bool m_resting = false;
};

#pragma once

#include <QFile>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

// Pushes one file to a client in receive mode: the raw bytes over one TCP connection, a chunk
// at a time, ended by closing the connection.
class FilePusher : public QObject
{
    Q_OBJECT

public:
    static constexpr int ConnectTimeoutMs = 10000;
    // The design tool gives up on a chunk after as long.
    static constexpr int StallTimeoutMs = 30000;

    explicit FilePusher(QObject *parent = nullptr);

    // False when the file cannot be sent at all (errorString() says why); otherwise finished()
    // follows.
    bool push(const QString &host, quint16 port, const QString &path);

    qint64 bytesSent() const { return m_sent; }
    qint64 totalBytes() const { return m_total; }
    QString errorString() const { return m_error; }

Q_SIGNALS:
    void connected();
    void progress(qint64 sent, qint64 total);
    void finished(bool ok);

private:
    void onConnected();
    void onBytesWritten(qint64 bytes);
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();
    void sendNext();
    void fail(const QString &message);
    void end(bool ok);
    QString target() const;

    QFile m_file;
    QTcpSocket m_socket;
    QTimer m_connectTimer;
    QTimer m_stallTimer;
    QString m_host;
    quint16 m_port = 0;
    qint64 m_total = 0;
    qint64 m_sent = 0;
    QString m_error;
    bool m_connected = false;
    bool m_closing = false;
    bool m_ended = false;
};

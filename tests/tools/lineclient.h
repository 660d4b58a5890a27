#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpSocket>

// A bare loopback client for the simulator tests: sends command lines and cuts what comes back
// into entries the way the client's framing does (at ";" and CR).
class LineClient : public QObject
{
    Q_OBJECT

public:
    explicit LineClient(QObject *parent = nullptr);

    // The ports in the simulator's "listening <name> <address>:<port>" lines, by device name.
    static QMap<QString, quint16> listeningPorts(const QByteArray &output);

    bool connectTo(quint16 port, int timeoutMs = 5000);
    // Each command gets its CR; all of them go out in one write.
    void send(const QList<QByteArray> &commands);
    void send(const QByteArray &command) { send(QList<QByteArray>{command}); }
    // Waits until at least count entries arrived; false on time-out.
    bool waitForEntries(int count, int timeoutMs = 5000);
    // Sends one command and waits for the next entry.
    QByteArray ask(const QByteArray &command, int timeoutMs = 5000);
    QList<QByteArray> takeEntries();
    QList<QByteArray> entries() const { return m_entries; }
    QTcpSocket &socket() { return m_socket; }

signals:
    void entryReceived(const QByteArray &entry);

private:
    void onReadyRead();

    QTcpSocket m_socket;
    QByteArray m_buffer;
    QList<QByteArray> m_entries;
};

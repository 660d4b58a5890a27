#pragma once

#include "comm/clientmessage.h"
#include "comm/iinterface.h"
#include "comm/ireplyframer.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QProcess>
#include <QSemaphore>
#include <QTimer>

class ITcpClientThread;
class QTcpSocket;

// The TCP connection to one device: keeps itself connected (reconnection, host check), frames
// incoming bytes into reply entries and hands outgoing messages to its dispatcher. Nothing in it
// waits: connecting and closing are driven by the socket's signals and by timers, so that dead
// devices never freeze the GUI thread on which it runs.
class ITcpClient : public IInterface
{
    Q_OBJECT

public:
    static constexpr int RetryIntervalMs = 1500;
    // A connection attempt left unanswered this long is given up; the next retry starts anew.
    static constexpr int ConnectTimeoutMs = 1000;
    static constexpr int HostStatusIntervalMs = 30000;
    // A closed connection may flush its unsent bytes this long before it is cut.
    static constexpr int DisconnectWaitMs = 30000;
    static constexpr int ResetFailureCount = 13;
    static constexpr int MaxPendingReplies = 1024;
    // A new episode of dropped replies is reported after this long without a drop.
    static constexpr int ReplyOverflowQuietMs = 5000;
    // Queries and set commands coalesce, so only a device that is not keeping up reaches it.
    static constexpr int MaxQueuedMessages = 1024;
    // Bounds what the socket holds while no protocol reads it; TCP flow control does the rest.
    static constexpr qint64 SocketReadBufferSize = 1024 * 1024;
    // Kills a ping that outlives its own deadline, so that the host check never stalls.
    static constexpr int PingDeadlineMs = 5000;

    explicit ITcpClient(QObject *parent = nullptr);
    ~ITcpClient() override;

    bool open() override;
    bool close() override;
    void start() override;
    void stop() override;
    uint send(const char *data, int length, int type, const char *expectedReply,
              uint timeoutMs) override;
    // A query already waiting for the same reply is not queued again; of the set commands
    // waiting for one target, only the first and the newest are kept.
    uint post(const ClientMessage &message) override;
    bool waitForBytesWritten(int msecs) override;
    using IInterface::stateText;
    QString stateText() const override;
    void dump() const override;
    QString name() const override;
    QString address() const override;
    void setAddress(const QHostAddress &address) override;
    void setPort(quint16 port) override;
    int state() const override;
    void setProtocol(PProtocol *protocol) override;
    bool isSubscriptionModeSet() const override;
    void resetSubscriptionMode() override;
    bool subscriptionMode() const override;
    void setSubscriptionMode(bool on) override;
    void armHostCheck() override;
    LinkState linkState() const override;
    qint64 msSinceReply() const override;
    int failedMessages() const override { return m_failedMessages; }

    quint16 port() const { return m_port; }
    int queuedCount() const { return int(m_queue.size()); }
    // The bytes of each message waiting to be sent, in order.
    QList<QByteArray> queuedMessages() const;

    // The host check's command: the platform's ping, one echo request with a deadline.
    static QString defaultPingProgram();
    static QStringList pingArguments(const QString &address);
    void setPingProgram(const QString &program) { m_pingProgram = program; }

Q_SIGNALS:
    void startMessageProcessing();
    void quitMessageProcessing();
    void replyReady();
    void connectionActive();
    // A host check ended; hostDead is true when it sent the probing "SUB".
    void hostCheckFinished(bool hostDead);

public Q_SLOTS:
    void onConnected();
    void onDisconnected();
    void retry();
    void dataReady();
    void error(QAbstractSocket::SocketError socketError);
    void stateChanged(QAbstractSocket::SocketState socketState);
    void onMessageSendError(const QByteArray &bytes);
    void onSendMessage(const QByteArray &bytes, uint &bytesWritten);
    void onHostStatusTimerTimesout();
    void onReadyReadStandardOutput();

private:
    void connectToDevice();
    void onConnectTimeout();
    void onMessageAnswered();
    bool enqueue(const ClientMessage &message);
    void connectSocket();
    void enterState(ConnectionState next);
    void run();
    void runConnecting();
    void runOnline();
    void runReconnecting();
    void runResetting();
    void goOnline();
    void goOffline();
    void appendReplies(const QList<QByteArray> &entries);
    void onPingFinished();
    void onPingError(QProcess::ProcessError processError);
    void finishHostCheck(bool hostDead);

    QTcpSocket *m_socket = nullptr;
    QHostAddress m_hostAddress;
    quint16 m_port = 0;
    int m_lastSocketError = -1;
    // The socket error that keeps the device away; -1 while none has since it was last online.
    int m_downCause = -1;
    QElapsedTimer m_lastReply;
    int m_failedMessages = 0;
    bool m_downWarned = false;
    int m_socketState = QAbstractSocket::UnconnectedState;
    ConnectionState m_connectionState = Idle;
    QTimer m_retryTimer;
    QTimer m_connectTimer;
    QTimer m_hostStatusTimer;
    QList<ClientMessage> m_queue;
    bool m_queueFullWarned = false;
    QList<QByteArray> m_replies;
    QSemaphore m_replySemaphore{0};
    ITcpClientThread *m_dispatcher = nullptr;
    bool m_subscriptionModeValue = false;
    bool m_subscriptionModeSet = false;
    QProcess *m_pingProcess; // child
    QByteArray m_pingOutput;
    QTimer m_pingDeadline;
    QString m_pingProgram;
    IReplyFramer m_framer;
    bool m_replyOverflowWarned = false;
    QElapsedTimer m_lastReplyDrop;
    bool m_resetDue = false;
};

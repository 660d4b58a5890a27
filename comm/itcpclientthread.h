#pragma once

#include "comm/clientmessage.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

class PProtocol;
class QSemaphore;

// Works a TCP client's send queue one message at a time: writes it, waits for its ACK or reply,
// resends on failure and gives up after three attempts. It lives on the client's (GUI) thread and
// is driven by timers and the client's signals; the reply semaphore is never waited on. An idle
// line runs no timer: a queued message or a reply wakes it.
class ITcpClientThread : public QObject
{
    Q_OBJECT

public:
    enum DispatchState { Ready = 0, AwaitingReply = 1, Resend = 2 };

    static constexpr int DefaultReplyTimeoutMs = 200;
    static constexpr int DispatchIntervalMs = 10;
    static constexpr int MaxAttempts = 3;

    // The lists and the semaphore belong to the client and must outlive the dispatcher's use.
    ITcpClientThread(QList<ClientMessage> *queue, QList<QByteArray> *replies,
                     QSemaphore *replySemaphore, QObject *parent = nullptr);

    void setProtocol(PProtocol *protocol) { m_protocol = protocol; }
    bool isRunning() const { return m_running; }
    void setSubscriptionMode(bool on);

Q_SIGNALS:
    void messageError(const QByteArray &bytes);
    // The device answered the current message as expected.
    void messageAnswered();
    // Connected directly: the receiver fills in bytesWritten before the emit returns.
    void sendMessage(const QByteArray &bytes, uint &bytesWritten);

public Q_SLOTS:
    void onStartMessageProcessing();
    void onQuitMessageProcessing();
    void onReplyReady();
    void onDispatch();
    // A message joined an idle queue: send it on the next turn of the event loop instead of
    // waiting for the dispatch timer, so a user's change leaves at once.
    void onMessageQueued();

private:
    void reset();
    void dispatchStep();
    bool takeAndSend();
    void sendCurrent();
    bool processReplies();
    bool checkNextReply();
    bool checkAcknowledgement();
    bool handleReply();
    void fail();
    bool hasTimedOut() const;

    PProtocol *m_protocol = nullptr;
    QList<ClientMessage> *m_queue;
    QList<QByteArray> *m_replies;
    QSemaphore *m_replySemaphore;
    bool m_running = false;
    ClientMessage m_current;
    int m_attempts = 0;
    DispatchState m_dispatchState = Ready;
    QTimer m_replyTimer;
    QTimer m_dispatchTimer;
    bool m_subscriptionMode = false;
    bool m_kickPending = false;
};

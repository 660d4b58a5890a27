#include "comm/itcpclientthread.h"

#include "comm/iinterface.h"
#include "comm/pprotocol.h"
#include "util/logcategories.h"

#include <QSemaphore>
#include <QTime>

namespace {

constexpr char Ack = 0x06;
constexpr char Nak = 0x15;

QString now()
{
    return QTime::currentTime().toString(QStringLiteral("H:mm:ss.zzz"));
}

} // namespace

ITcpClientThread::ITcpClientThread(QList<ClientMessage> *queue, QList<QByteArray> *replies,
                                   QSemaphore *replySemaphore, QObject *parent)
    : QObject(parent)
    , m_queue(queue)
    , m_replies(replies)
    , m_replySemaphore(replySemaphore)
{
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(DefaultReplyTimeoutMs);
    m_dispatchTimer.setSingleShot(true);
    m_dispatchTimer.setInterval(DispatchIntervalMs);
    connect(&m_dispatchTimer, &QTimer::timeout, this, &ITcpClientThread::onDispatch);
}

void ITcpClientThread::onStartMessageProcessing()
{
    reset();
    m_running = true;
    dispatchStep();
}

void ITcpClientThread::onQuitMessageProcessing()
{
    m_running = false;
    m_dispatchTimer.stop();
    reset();
}

void ITcpClientThread::onReplyReady()
{
    // Values a subscribed device pushes arrive while the line is idle and nothing ticks.
    if (m_dispatchState == Ready && m_subscriptionMode && m_running) {
        dispatchStep();
        return;
    }
    if (m_dispatchState != AwaitingReply)
        return;
    m_dispatchTimer.stop();
    m_replyTimer.stop();
    if (m_running)
        dispatchStep();
}

void ITcpClientThread::onDispatch()
{
    if (m_running)
        dispatchStep();
}

void ITcpClientThread::setSubscriptionMode(bool on)
{
    m_subscriptionMode = on;
    // Replies that piled up while nobody waited for them are taken now.
    if (on)
        onMessageQueued();
}

void ITcpClientThread::onMessageQueued()
{
    if (!m_running || m_dispatchState != Ready || m_kickPending)
        return;
    // Queued, not direct: the caller may be inside a dispatch step (a reply that made a
    // control write).
    m_kickPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_kickPending = false;
            if (m_running && m_dispatchState == Ready)
                dispatchStep();
        },
        Qt::QueuedConnection);
}

void ITcpClientThread::reset()
{
    m_queue->clear();
    m_replies->clear();
    m_replySemaphore->tryAcquire(m_replySemaphore->available());
    m_dispatchState = Ready;
}

void ITcpClientThread::dispatchStep()
{
    switch (m_dispatchState) {
    case AwaitingReply:
        // An answered message frees the line: the next one need not wait for the timer, which
        // is what keeps a button press queued behind a poll quick.
        if (processReplies() || m_subscriptionMode)
            takeAndSend();
        break;
    case Resend:
        sendCurrent();
        break;
    case Ready:
        if (takeAndSend()) {
            if (m_running)
                m_dispatchTimer.start();
            return;
        }
        if (m_subscriptionMode)
            processReplies();
        // Idle: a queued message or a reply wakes the dispatcher, so nothing ticks meanwhile.
        if (m_dispatchState == Ready && m_queue->isEmpty())
            return;
        break;
    }
    if (m_running)
        m_dispatchTimer.start();
}

bool ITcpClientThread::takeAndSend()
{
    if (m_queue->isEmpty())
        return false;
    m_current = m_queue->takeFirst();
    m_attempts = 0;
    sendCurrent();
    return true;
}

void ITcpClientThread::sendCurrent()
{
    if (m_current.data.isEmpty())
        return;
    uint written = 0;
    Q_EMIT sendMessage(m_current.data, written);
    if (written != uint(m_current.data.size())) {
        m_dispatchState = Resend;
        return;
    }
    if (m_current.type == IInterface::NoAnswer) {
        m_dispatchState = Ready;
        return;
    }
    m_dispatchState = AwaitingReply;
    if (!m_subscriptionMode)
        m_replyTimer.start(m_current.timeoutMs > 0 ? int(m_current.timeoutMs)
                                                   : DefaultReplyTimeoutMs);
}

bool ITcpClientThread::processReplies()
{
    if (m_dispatchState != AwaitingReply && !m_subscriptionMode)
        return false;
    bool seen = false;
    bool handled = false;
    while (m_replySemaphore->tryAcquire()) {
        seen = true;
        handled = checkNextReply();
    }
    if (seen) {
        if (!handled) {
            fail();
            return false;
        }
        m_dispatchState = Ready;
        Q_EMIT messageAnswered();
        return true;
    }
    if (hasTimedOut()) {
        fail();
        if (m_protocol)
            m_protocol->onNoReply(QString::fromLatin1(m_current.expectedReply));
    }
    return false;
}

bool ITcpClientThread::checkNextReply()
{
    if (m_subscriptionMode)
        return m_current.type == IInterface::Immediate ? false : handleReply();
    switch (m_current.type) {
    case IInterface::Acknowledged:
        return checkAcknowledgement();
    case IInterface::Query:
        return handleReply();
    default:
        return false;
    }
}

// Subscription mode has no reply time-out: pushed values arrive whenever the device likes.
bool ITcpClientThread::hasTimedOut() const
{
    return m_dispatchState == AwaitingReply && !m_subscriptionMode && !m_replyTimer.isActive();
}

bool ITcpClientThread::checkAcknowledgement()
{
    if (m_replies->isEmpty() || m_replies->first().isEmpty())
        return false;
    const QByteArray &entry = m_replies->first();
    const char first = entry.at(0);
    if (first == Ack) {
        // A longer entry keeps its text for the reply handler, which drops the ACK.
        if (entry.size() == 1)
            m_replies->removeFirst();
        return true;
    }
    if (first == Nak)
        qCWarning(lcTcp).noquote() << now() << "RECEIVED NAK, not ACK";
    else
        qCWarning(lcTcp).noquote()
            << now() << "RECEIVED FIRST BYTE = " << int(uchar(first)) << ", EXPECTED ACK";
    m_replies->removeFirst();
    return false;
}

bool ITcpClientThread::handleReply()
{
    QByteArray entry = m_replies->isEmpty() ? QByteArray() : m_replies->takeFirst();
    qsizetype skip = 0;
    while (skip < entry.size() && (entry.at(skip) == Ack || entry.at(skip) == Nak))
        ++skip;
    entry.remove(0, skip);
    if (!m_subscriptionMode && !entry.startsWith(m_current.expectedReply))
        return false;
    if (!m_protocol || entry.isEmpty())
        return true;
    const QList<QByteArray> lines = entry.split('\r');
    for (const QByteArray &line : lines)
        m_protocol->handleReply(line);
    return true;
}

void ITcpClientThread::fail()
{
    m_replies->clear();
    Q_EMIT messageError(m_current.data);
    const bool retriesLeft = m_attempts < MaxAttempts - 1;
    ++m_attempts;
    m_dispatchState = retriesLeft ? Resend : Ready;
}

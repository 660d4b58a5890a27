#include "comm/itcpclient.h"

#include "comm/itcpclientthread.h"
#include "comm/pprotocol.h"
#include "util/logcategories.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTime>

#include <algorithm>
#include <utility>

namespace {

QByteArray probeCommand()
{
    return QByteArrayLiteral("SUB\r");
}

} // namespace

ITcpClient::ITcpClient(QObject *parent)
    : IInterface(parent)
    , m_pingProcess(new QProcess(this))
    , m_pingProgram(defaultPingProgram())
{
    m_dispatcher = new ITcpClientThread(&m_queue, &m_replies, &m_replySemaphore, this);
    connect(this, &ITcpClient::startMessageProcessing, m_dispatcher,
            &ITcpClientThread::onStartMessageProcessing);
    connect(this, &ITcpClient::quitMessageProcessing, m_dispatcher,
            &ITcpClientThread::onQuitMessageProcessing);
    connect(this, &ITcpClient::replyReady, m_dispatcher, &ITcpClientThread::onReplyReady);
    // Direct, so that the written count is filled in before the dispatcher reads it.
    connect(m_dispatcher, &ITcpClientThread::sendMessage, this, &ITcpClient::onSendMessage,
            Qt::DirectConnection);
    connect(m_dispatcher, &ITcpClientThread::messageError, this, &ITcpClient::onMessageSendError);
    connect(m_dispatcher, &ITcpClientThread::messageAnswered, this, &ITcpClient::onMessageAnswered);

    m_retryTimer.setInterval(RetryIntervalMs);
    m_hostStatusTimer.setSingleShot(true);
    m_hostStatusTimer.setInterval(HostStatusIntervalMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &ITcpClient::retry);
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, &ITcpClient::onConnectTimeout);
    connect(&m_hostStatusTimer, &QTimer::timeout, this, &ITcpClient::onHostStatusTimerTimesout);

    m_pingDeadline.setSingleShot(true);
    m_pingDeadline.setInterval(PingDeadlineMs);
    connect(&m_pingDeadline, &QTimer::timeout, m_pingProcess, &QProcess::kill);
    connect(m_pingProcess, &QProcess::readyReadStandardOutput, this,
            &ITcpClient::onReadyReadStandardOutput);
    connect(m_pingProcess, &QProcess::finished, this, &ITcpClient::onPingFinished);
    connect(m_pingProcess, &QProcess::errorOccurred, this, &ITcpClient::onPingError);
}

ITcpClient::~ITcpClient()
{
    // The socket's last signals must not reach a half-destroyed client.
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    m_pingProcess->disconnect(this);
    if (m_pingProcess->state() != QProcess::NotRunning && QCoreApplication::instance()) {
        // Killed, and reaped by the event loop rather than waited for here.
        m_pingProcess->setParent(QCoreApplication::instance());
        connect(m_pingProcess, &QProcess::finished, m_pingProcess, &QObject::deleteLater);
        m_pingProcess->kill();
    }
}

// True when the connection attempt is under way; the socket's signals tell how it ends.
bool ITcpClient::open()
{
    if (m_socket)
        close();
    m_socket = new QTcpSocket(this);
    m_socket->setReadBufferSize(SocketReadBufferSize);
    connectSocket();
    connectToDevice();
    return m_socket && m_socket->state() != QAbstractSocket::UnconnectedState;
}

bool ITcpClient::close()
{
    if (m_dispatcher->isRunning())
        Q_EMIT quitMessageProcessing();
    if (!m_socket)
        return false;
    QTcpSocket *socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    m_retryTimer.stop();
    m_connectTimer.stop();
    if (socket->state() == QAbstractSocket::ConnectedState) {
        // Unsent commands may still leave, but the socket no longer belongs to this client.
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(DisconnectWaitMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->disconnectFromHost();
    } else {
        socket->abort();
    }
    // Later, as close() may run inside one of the socket's own signals.
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    enterState(Idle);
    if (isOnline())
        goOffline();
    m_hostStatusTimer.stop();
    m_framer.clear();
    return true;
}

void ITcpClient::start()
{
    if (!m_socket)
        open();
}

void ITcpClient::stop()
{
    close();
}

uint ITcpClient::send(const char *data, int length, int type, const char *expectedReply,
                      uint timeoutMs)
{
    if (!data || length <= 0)
        return 0;
    return post(ClientMessage{type, QByteArray(data, length), QByteArray(expectedReply), timeoutMs,
                              QByteArray()});
}

uint ITcpClient::post(const ClientMessage &message)
{
    if (!m_socket || message.data.isEmpty())
        return 0;
    if (message.type == Immediate) {
        uint written = 0;
        onSendMessage(message.data, written);
        return written;
    }
    if (enqueue(message) && m_queue.size() == 1)
        m_dispatcher->onMessageQueued();
    return 0;
}

// Never waits: hands the socket's buffer to the system as far as it takes it now.
bool ITcpClient::waitForBytesWritten(int)
{
    return m_socket && (m_socket->flush() || m_socket->bytesToWrite() == 0);
}

QString ITcpClient::stateText() const
{
    return stateText(m_connectionState);
}

void ITcpClient::dump() const
{
    qCDebug(lcTcp) << this << name() << address() << m_port << protocol()
                   << (isOnline() ? "true" : "false");
}

QString ITcpClient::name() const
{
    return QStringLiteral("TcpClient Interface");
}

QString ITcpClient::address() const
{
    return m_hostAddress.toString();
}

void ITcpClient::setAddress(const QHostAddress &address)
{
    m_hostAddress = address;
}

void ITcpClient::setPort(quint16 port)
{
    m_port = port;
}

int ITcpClient::state() const
{
    return m_connectionState;
}

void ITcpClient::setProtocol(PProtocol *protocol)
{
    IInterface::setProtocol(protocol);
    m_dispatcher->setProtocol(protocol);
}

bool ITcpClient::isSubscriptionModeSet() const
{
    return m_subscriptionModeSet;
}

void ITcpClient::resetSubscriptionMode()
{
    if (!protocol())
        return;
    m_subscriptionModeSet = false;
    // Offline, not "socket unconnected": a client already trying to reconnect has a socket
    // that is connecting, and its controls must still learn that the device is gone.
    if (state() != Online)
        protocol()->onOnlineStateChanged(false);
    else
        protocol()->resubscribe();
}

bool ITcpClient::subscriptionMode() const
{
    return m_subscriptionModeSet && m_subscriptionModeValue;
}

void ITcpClient::setSubscriptionMode(bool on)
{
    m_subscriptionModeValue = on;
    m_subscriptionModeSet = true;
    m_dispatcher->setSubscriptionMode(on);
}

void ITcpClient::armHostCheck()
{
    if (!m_hostStatusTimer.isActive())
        m_hostStatusTimer.start();
}

IInterface::LinkState ITcpClient::linkState() const
{
    switch (m_connectionState) {
    case Online:
        return LinkOnline;
    case Resetting:
        return LinkResetting;
    case Reconnecting:
        if (m_downCause == QAbstractSocket::ConnectionRefusedError)
            return LinkRefused;
        return m_downCause == -1 ? LinkConnecting : LinkUnreachable;
    case Connecting:
        return LinkConnecting;
    case Idle:
        break;
    }
    // Idle with a socket is the pause before the next attempt.
    return m_socket ? LinkConnecting : LinkIdle;
}

qint64 ITcpClient::msSinceReply() const
{
    return m_lastReply.isValid() ? m_lastReply.elapsed() : -1;
}

QString ITcpClient::defaultPingProgram()
{
    return QStringLiteral("ping");
}

QStringList ITcpClient::pingArguments(const QString &address)
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"), QStringLiteral("2000"),
            address};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-t"), QStringLiteral("2"),
            address};
#else
    return {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("2"),
            address};
#endif
}

void ITcpClient::onConnected()
{
    m_connectTimer.stop();
    // Commands are short and each waits for its answer; Nagle would only delay them.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socketState = QAbstractSocket::ConnectedState;
    run();
}

void ITcpClient::onDisconnected()
{
    m_socketState = QAbstractSocket::UnconnectedState;
    run();
}

void ITcpClient::retry()
{
    if (!m_socket || isOnline())
        return;
    // An attempt still under way, or a close still flushing, gives way to a fresh attempt.
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    if (m_socket)
        connectToDevice();
}

void ITcpClient::dataReady()
{
    if (!m_socket || !protocol())
        return;
    const QByteArray bytes = m_socket->readAll();
    if (bytes.isEmpty())
        return;
    m_hostStatusTimer.stop();
    m_lastReply.start();
    const QList<QByteArray> entries = m_framer.feed(bytes);
    if (entries.isEmpty())
        return;
    appendReplies(entries);
    Q_EMIT replyReady();
}

void ITcpClient::error(QAbstractSocket::SocketError socketError)
{
    // A device that stays away fails every reconnect attempt: one warning says so, the
    // repeats are debug output.
    if (!m_downWarned) {
        m_downWarned = true;
        qCWarning(lcTcp).noquote() << "Socket error" << socketError << address()
                                   << QTime::currentTime().toString(QStringLiteral("mm:ss.z"));
    } else {
        qCDebug(lcTcp).noquote() << "Socket error" << socketError << address();
    }
    m_lastSocketError = socketError;
    if (!isOnline())
        m_downCause = socketError;
    run();
}

void ITcpClient::stateChanged(QAbstractSocket::SocketState socketState)
{
    m_socketState = socketState;
    m_lastSocketError = -1;
    if (socketState == QAbstractSocket::UnconnectedState)
        m_connectTimer.stop();
    run();
    // A running retry timer keeps its beat: an attempt that failed early waits for its turn.
    if (socketState == QAbstractSocket::UnconnectedState && m_socket && !m_retryTimer.isActive())
        m_retryTimer.start();
}

void ITcpClient::onMessageSendError(const QByteArray &bytes)
{
    ++m_failedMessages;
    setFailureCount(failureCount() + 1);
    qCDebug(lcTcp) << address() << "gave up one attempt of" << bytes << "failures"
                   << failureCount();
    if (failureCount() < ResetFailureCount || m_resetDue)
        return;
    // Not from inside the dispatcher's step that reported the failure.
    m_resetDue = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_resetDue = false;
            run();
        },
        Qt::QueuedConnection);
}

void ITcpClient::onMessageAnswered()
{
    if (isAnswering())
        return;
    setAnswering(true);
    qCInfo(lcTcp) << address() << "answers again";
    Q_EMIT interfaceStateChanged(isOnline());
}

void ITcpClient::onSendMessage(const QByteArray &bytes, uint &bytesWritten)
{
    const qint64 written = m_socket ? m_socket->write(bytes) : -1;
    bytesWritten = written > 0 ? uint(written) : 0;
    armHostCheck();
}

void ITcpClient::onHostStatusTimerTimesout()
{
    if (m_pingProcess->state() != QProcess::NotRunning)
        return;
    m_pingOutput.clear();
    m_pingProcess->start(m_pingProgram, pingArguments(address()));
    m_pingDeadline.start();
}

void ITcpClient::onReadyReadStandardOutput()
{
    // ping prints its banner before the answer, so the verdict waits for the whole output.
    m_pingOutput += m_pingProcess->readAllStandardOutput();
}

void ITcpClient::connectToDevice()
{
    m_connectTimer.start();
    m_socket->connectToHost(m_hostAddress, m_port, QIODevice::ReadWrite);
}

void ITcpClient::onConnectTimeout()
{
    if (!m_socket || (m_socket->state() != QAbstractSocket::HostLookupState &&
                      m_socket->state() != QAbstractSocket::ConnectingState))
        return;
    qCDebug(lcTcp) << address() << "connection attempt unanswered after" << ConnectTimeoutMs
                   << "ms";
    m_downCause = QAbstractSocket::SocketTimeoutError;
    m_socket->abort();
}

void ITcpClient::connectSocket()
{
    connect(m_socket, &QTcpSocket::connected, this, &ITcpClient::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &ITcpClient::onDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &ITcpClient::dataReady);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ITcpClient::error);
    connect(m_socket, &QTcpSocket::stateChanged, this, &ITcpClient::stateChanged);
}

// The state is entered before its actions, so that slots reached by them see the new state.
void ITcpClient::enterState(ConnectionState next)
{
    if (next == m_connectionState)
        return;
    qCDebug(lcTcp).noquote() << address() << stateText(m_connectionState) << "->"
                             << stateText(next);
    m_connectionState = next;
}

void ITcpClient::run()
{
    switch (m_connectionState) {
    case Idle:
        if (m_socketState == QAbstractSocket::HostLookupState ||
            m_socketState == QAbstractSocket::ConnectingState)
            enterState(Connecting);
        break;
    case Connecting:
        runConnecting();
        break;
    case Online:
        runOnline();
        break;
    case Reconnecting:
        runReconnecting();
        break;
    case Resetting:
        runResetting();
        break;
    }
}

void ITcpClient::runConnecting()
{
    if (m_socketState == QAbstractSocket::ConnectedState) {
        enterState(Online);
        m_hostStatusTimer.start();
        goOnline();
        Q_EMIT connectionActive();
    } else if (m_socketState == QAbstractSocket::UnconnectedState) {
        enterState(Reconnecting);
        m_retryTimer.start();
        goOffline();
    }
}

void ITcpClient::runOnline()
{
    if (failureCount() >= ResetFailureCount) {
        enterState(Resetting);
        setFailureCount(0);
        if (isAnswering())
            qCWarning(lcTcp) << address() << ResetFailureCount
                             << "messages failed: the device is not answering, reconnecting";
        setAnswering(false);
        Q_EMIT quitMessageProcessing();
        runResetting();
    } else if (m_lastSocketError == QAbstractSocket::RemoteHostClosedError) {
        enterState(Reconnecting);
        m_retryTimer.start();
        goOffline();
        Q_EMIT quitMessageProcessing();
    } else if (m_socketState == QAbstractSocket::UnconnectedState) {
        enterState(Idle);
        goOffline();
        Q_EMIT quitMessageProcessing();
    }
}

void ITcpClient::runReconnecting()
{
    if (m_socketState == QAbstractSocket::ConnectedState) {
        enterState(Online);
        m_hostStatusTimer.start();
        m_retryTimer.stop();
        goOnline();
    } else if (!m_socket) {
        enterState(Idle);
    }
}

void ITcpClient::runResetting()
{
    if (m_lastSocketError != QAbstractSocket::SocketTimeoutError && m_lastSocketError != -1)
        return;
    enterState(Reconnecting);
    if (m_socket && m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->disconnectFromHost();
    m_retryTimer.start();
    goOffline();
    m_lastSocketError = -1;
}

void ITcpClient::goOnline()
{
    // A line left unfinished by the previous connection would corrupt the first reply.
    m_framer.clear();
    setFailureCount(0);
    m_downCause = -1;
    if (m_downWarned) {
        m_downWarned = false;
        qCInfo(lcTcp) << address() << "connected again";
    }
    // The dispatcher starts from an empty queue before anyone hears of the connection, so what
    // they queue in answer (the subscription probe) is not wiped by that reset.
    Q_EMIT startMessageProcessing();
    setOnline(true);
}

void ITcpClient::goOffline()
{
    setFailureCount(0);
    setOnline(false);
}

QList<QByteArray> ITcpClient::queuedMessages() const
{
    QList<QByteArray> messages;
    for (const ClientMessage &message : m_queue)
        messages.append(message.data);
    return messages;
}

bool ITcpClient::enqueue(const ClientMessage &message)
{
    if (m_queue.isEmpty())
        m_queueFullWarned = false;
    const auto end = m_queue.end();
    auto stale = end;
    if (message.target.isEmpty()) {
        if (message.type == Query &&
            std::any_of(m_queue.begin(), end, [&message](const ClientMessage &m) {
                return m.type == Query && m.data == message.data &&
                       m.expectedReply == message.expectedReply;
            }))
            return false;
    } else {
        // The first waiting command of a target stays, so that a press and its release, or two
        // quick clicks, all reach the device; the one behind it gives way to the newest, unless
        // it is the same command: two toggles are not one.
        const auto sameTarget = [&message](const ClientMessage &m) {
            return m.target == message.target;
        };
        const auto first = std::find_if(m_queue.begin(), end, sameTarget);
        stale = first == end ? end : std::find_if(first + 1, end, sameTarget);
        if (stale != end && stale->data == message.data)
            stale = end;
    }
    if (stale != end) {
        // Dropped and appended: the newest value goes after what was queued since.
        m_queue.erase(stale);
    } else if (m_queue.size() >= MaxQueuedMessages) {
        if (!m_queueFullWarned)
            qCWarning(lcTcp) << address() << MaxQueuedMessages
                             << "messages wait for the device, further ones dropped";
        m_queueFullWarned = true;
        return false;
    }
    m_queue.append(message);
    return true;
}

void ITcpClient::appendReplies(const QList<QByteArray> &entries)
{
    for (const QByteArray &entry : entries) {
        if (m_replies.size() < MaxPendingReplies) {
            m_replies.append(entry);
            m_replySemaphore.release();
            continue;
        }
        // Once per flood: the dispatcher empties the list between reads, so the list's size
        // alone would start a new episode every few milliseconds.
        if (!m_replyOverflowWarned || m_lastReplyDrop.hasExpired(ReplyOverflowQuietMs))
            qCWarning(lcTcp) << address() << "more than" << MaxPendingReplies
                             << "replies pending, further replies dropped";
        m_replyOverflowWarned = true;
        m_lastReplyDrop.start();
    }
}

void ITcpClient::onPingFinished()
{
    m_pingDeadline.stop();
    onReadyReadStandardOutput();
    const QString text = QString::fromUtf8(m_pingOutput);
    const bool dead = text.isEmpty() ||
                      text.contains(QLatin1String("Destination Host Unreachable")) ||
                      text.contains(QLatin1String("Request timed out"));
    if (dead)
        send(probeCommand().constData(), int(probeCommand().size()), Immediate, "SUB", 200);
    finishHostCheck(dead);
}

void ITcpClient::onPingError(QProcess::ProcessError processError)
{
    if (processError != QProcess::FailedToStart)
        return;
    m_pingDeadline.stop();
    qCWarning(lcTcp) << "Host check could not start" << m_pingProgram
                     << m_pingProcess->errorString();
    finishHostCheck(false);
}

void ITcpClient::finishHostCheck(bool hostDead)
{
    m_pingProcess->close();
    m_hostStatusTimer.start();
    Q_EMIT hostCheckFinished(hostDead);
}

#include "simquitwatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

} // namespace

SimQuitWatcher::SimQuitWatcher(QObject *parent)
    : QObject(parent)
{}

SimQuitWatcher::~SimQuitWatcher()
{
    if (m_signalNotifier) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

bool SimQuitWatcher::watchSignals()
{
    if (m_signalNotifier)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    m_signalNotifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, &SimQuitWatcher::onSignal);
    std::signal(SIGINT, &SimQuitWatcher::handleSignal);
    std::signal(SIGTERM, &SimQuitWatcher::handleSignal);
    return true;
}

void SimQuitWatcher::watchStandardInput()
{
    if (m_inputNotifier)
        return;
    m_inputNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_inputNotifier, &QSocketNotifier::activated, this, &SimQuitWatcher::onStandardInput);
}

void SimQuitWatcher::handleSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void SimQuitWatcher::onSignal()
{
    char byte = 0;
    if (::read(signalPipe[1], &byte, 1) == 1)
        emit quitRequested(byte == SIGINT ? QStringLiteral("SIGINT") : QStringLiteral("SIGTERM"));
}

void SimQuitWatcher::onStandardInput()
{
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        m_inputNotifier->setEnabled(false);
        emit quitRequested(QStringLiteral("end of input"));
        return;
    }
    m_input.append(buffer, count);
    for (qsizetype end = m_input.indexOf('\n'); end >= 0; end = m_input.indexOf('\n')) {
        const QByteArray line = m_input.left(end).trimmed();
        m_input.remove(0, end + 1);
        if (!line.isEmpty())
            emit lineEntered(line);
    }
}

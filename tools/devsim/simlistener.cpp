#include "simlistener.h"

#include "simlimits.h"
#include "simlogcategory.h"

#include <QSocketNotifier>
#include <QTcpSocket>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

SimListener::SimListener(QObject *parent)
    : QObject(parent)
{
    m_restTimer.setSingleShot(true);
    m_restTimer.setInterval(SimLimits::AcceptRestMs);
    connect(&m_restTimer, &QTimer::timeout, this, [this] {
        if (m_notifier)
            m_notifier->setEnabled(true);
    });
}

SimListener::~SimListener() = default;

bool SimListener::listen(const QHostAddress &address, quint16 port)
{
    if (!m_server.listen(address, port))
        return false;
    // The server only binds and listens; its own accepting stays off for good.
    m_server.pauseAccepting();
    m_notifier =
        std::make_unique<QSocketNotifier>(m_server.socketDescriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimListener::acceptPending);
    return true;
}

void SimListener::close()
{
    m_restTimer.stop();
    m_notifier.reset();
    m_server.close();
}

void SimListener::acceptPending()
{
    const int listening = int(m_server.socketDescriptor());
    for (;;) {
        const int descriptor = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                rest();
            return;
        }
        m_resting = false;
        auto socket = std::make_unique<QTcpSocket>();
        if (!socket->setSocketDescriptor(descriptor)) {
            ::close(descriptor);
            continue;
        }
        socket->setParent(this);
        emit accepted(socket.release());
        if (!m_notifier)
            return;
    }
}

void SimListener::rest()
{
    m_notifier->setEnabled(false);
    m_restTimer.start();
    if (!std::exchange(m_resting, true)) {
        qCWarning(lcDevsim) << "out of file descriptors: accepting rests for"
                            << SimLimits::AcceptRestMs << "ms at a time";
    }
}

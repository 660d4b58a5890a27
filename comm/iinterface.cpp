#include "comm/iinterface.h"

#include "util/logcategories.h"

IInterface::IInterface(QObject *parent)
    : QObject(parent)
{}

QString IInterface::stateText(int state)
{
    switch (state) {
    case Idle:
        return tr(" - Offline - Idle");
    case Connecting:
        return tr(" - Offline - Connecting");
    case Online:
        return tr(" - Online - Running");
    case Reconnecting:
        return tr(" - Offline - Reconnecting");
    case Resetting:
        return tr(" - Offline - Resetting");
    default:
        return tr(" - Unknown State");
    }
}

QString IInterface::linkStateText(LinkState state)
{
    switch (state) {
    case LinkIdle:
        return tr("not connected");
    case LinkConnecting:
        return tr("connecting");
    case LinkOnline:
        return tr("online");
    case LinkUnreachable:
        return tr("unreachable");
    case LinkRefused:
        return tr("refused");
    case LinkResetting:
        return tr("resetting");
    }
    return {};
}

bool IInterface::open()
{
    return false;
}

bool IInterface::close()
{
    return false;
}

void IInterface::start() {}

void IInterface::stop() {}

uint IInterface::send(const char *, int, int, const char *, uint)
{
    return 0;
}

uint IInterface::post(const ClientMessage &message)
{
    return send(message.data.constData(), int(message.data.size()), message.type,
                message.expectedReply.constData(), message.timeoutMs);
}

bool IInterface::waitForBytesWritten(int)
{
    return false;
}

void IInterface::notifyState()
{
    Q_EMIT interfaceStateChanged(m_online);
}

QString IInterface::stateText() const
{
    return QStringLiteral("?");
}

void IInterface::dump() const
{
    qCDebug(lcTcp) << this << name();
}

QString IInterface::name() const
{
    return QStringLiteral("Null Interface");
}

QString IInterface::address() const
{
    return {};
}

void IInterface::setAddress(const QHostAddress &) {}

void IInterface::setPort(quint16) {}

int IInterface::state() const
{
    return Idle;
}

void IInterface::setProtocol(PProtocol *protocol)
{
    m_protocol = protocol;
}

bool IInterface::isSubscriptionModeSet() const
{
    return false;
}

void IInterface::resetSubscriptionMode() {}

bool IInterface::subscriptionMode() const
{
    return false;
}

void IInterface::setSubscriptionMode(bool) {}

void IInterface::armHostCheck() {}

IInterface::LinkState IInterface::linkState() const
{
    return LinkIdle;
}

qint64 IInterface::msSinceReply() const
{
    return -1;
}

int IInterface::failedMessages() const
{
    return 0;
}

void IInterface::setOnline(bool online)
{
    m_online = online;
    Q_EMIT interfaceStateChanged(online);
}

#include "comm/pprotocol.h"

#include "comm/iinterface.h"
#include "util/logcategories.h"

PProtocol::PProtocol(QObject *parent)
    : QObject(parent)
{}

PProtocol::~PProtocol() = default;

bool PProtocol::write(TTransform *)
{
    return false;
}

bool PProtocol::read(TTransform *)
{
    return false;
}

bool PProtocol::sendFile(const QString &)
{
    return false;
}

bool PProtocol::receiveFile(const QString &)
{
    return false;
}

bool PProtocol::handleReply(const QByteArray &)
{
    return false;
}

void PProtocol::onNoReply(const QString &) {}

QString PProtocol::name() const
{
    return QStringLiteral("----");
}

void PProtocol::setInterface(IInterface *interface)
{
    m_interface = interface;
}

void PProtocol::setOwner(QObject *owner)
{
    m_owner = owner;
}

void PProtocol::resubscribe() {}

bool PProtocol::isSubscribed() const
{
    return false;
}

void PProtocol::requestMeterStatus(TTransform *) {}

bool PProtocol::isOnline() const
{
    if (!m_interface) {
        qCDebug(lcProtocol) << "No interface to get status from.";
        return false;
    }
    return m_interface->isOnline();
}

bool PProtocol::onOnlineStateChanged(bool)
{
    return false;
}

#include "comm/pprotocol.h"

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

bool PProtocol::handleReply(const QByteArray &)
{
    return false;
}

void PProtocol::setOwner(QObject *owner)
{
    m_owner = owner;
}

bool PProtocol::onOnlineStateChanged(bool)
{
    return false;
}

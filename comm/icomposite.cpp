#include "comm/icomposite.h"

#include <algorithm>

IComposite::IComposite(QObject *parent)
    : IInterface(parent)
{}

bool IComposite::open()
{
    bool all = true;
    for (IInterface *interface : std::as_const(m_children))
        all = interface->open() && all;
    return all;
}

bool IComposite::close()
{
    bool all = true;
    for (IInterface *interface : std::as_const(m_children))
        all = interface->close() && all;
    return all;
}

void IComposite::start()
{
    for (IInterface *interface : std::as_const(m_children))
        interface->start();
}

void IComposite::stop()
{
    for (IInterface *interface : std::as_const(m_children))
        interface->stop();
}

void IComposite::notifyState()
{
    for (IInterface *interface : std::as_const(m_children))
        interface->notifyState();
}

void IComposite::dump() const
{
    for (IInterface *interface : m_children)
        interface->dump();
}

void IComposite::resetSubscriptionMode()
{
    for (IInterface *interface : std::as_const(m_children))
        interface->resetSubscriptionMode();
}

void IComposite::add(IInterface *interface)
{
    if (interface && !m_children.contains(interface))
        m_children.append(interface);
}

void IComposite::remove(IInterface *interface)
{
    if (!m_children.removeOne(interface))
        return;
    interface->close();
    delete interface;
}

void IComposite::clear(bool deleteChildren)
{
    const QList<IInterface *> children = std::exchange(m_children, {});
    if (!deleteChildren)
        return;
    for (IInterface *interface : children) {
        interface->close();
        delete interface;
    }
}

int IComposite::onlineCount() const
{
    return int(std::count_if(m_children.cbegin(), m_children.cend(),
                             [](const IInterface *i) { return i && i->isOnline(); }));
}

int IComposite::answeringCount() const
{
    return int(std::count_if(m_children.cbegin(), m_children.cend(), [](const IInterface *i) {
        return i && i->isOnline() && i->isAnswering();
    }));
}

IInterface *IComposite::child(int index) const
{
    return index >= 0 && index < count() ? m_children.at(index) : nullptr;
}

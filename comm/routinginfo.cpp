#include "comm/routinginfo.h"

#include "comm/ttransform.h"

RoutingInfo::RoutingInfo(int structure, TTransform *transform, const QString &text, QObject *parent)
    : QObject(parent)
    , m_structure(structure)
    , m_transform(transform)
    , m_text(text)
    , m_hadTransform(transform != nullptr)
{}

bool RoutingInfo::isSame(int structure, const TTransform *transform, const QString &text) const
{
    return m_structure == structure && m_transform.data() == transform && m_text == text;
}

TTransform *RoutingInfo::transform() const
{
    return m_transform.data();
}

bool RoutingInfo::isOrphan() const
{
    return m_hadTransform && !m_transform;
}

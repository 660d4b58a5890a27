#include "comm/ttransform.h"

#include "canvas/cattributes.h"

TTransform::TTransform(const CAttributes &attributes, HNode *node, QObject *parent)
    : QObject(parent)
    , m_attributes(&attributes)
    , m_node(node)
{}

TTransform::~TTransform() = default;

bool TTransform::wantsRead()
{
    if (--m_pollCountdown > 0)
        return false;
    m_pollCountdown = m_pollDivider;
    return true;
}

void TTransform::setPollDivider(int divider)
{
    m_pollDivider = divider;
    m_pollCountdown = 0;
}

void TTransform::setExcludedFromRead(bool excluded)
{
    m_excludedFromRead = excluded;
}

#include "comm/tchrl.h"

#include "canvas/cattributes.h"

void TChrL::initialise()
{
    m_items = attributes().set().split(QLatin1Char(','));
}

void TChrL::setValue(quint8 index)
{
    m_valueIndex = index;
}

void TChrL::setValueText(const QString &text)
{
    m_valueIndex = quint8(indexOf(m_items, text));
}

void TChrL::setReplyText(const QString &text)
{
    m_replyIndex = quint8(indexOf(m_items, text));
    emit replyValueReady();
}

QString TChrL::valueText() const
{
    return itemAt(m_items, m_valueIndex);
}

QString TChrL::replyText() const
{
    return itemAt(m_items, m_replyIndex);
}

int TChrL::valueSize() const
{
    return 1;
}

QString TChrL::className() const
{
    return QStringLiteral("ChrL");
}

quint8 TChrL::valueAsByte() const
{
    return m_valueIndex;
}

quint8 TChrL::replyAsByte() const
{
    return m_replyIndex;
}

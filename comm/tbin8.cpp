#include "comm/tbin8.h"

#include "comm/tnodecalls.h"

void TBin8::setValue(int value)
{
    m_value = value;
}

void TBin8::setValue(quint8 value)
{
    m_value = value;
}

void TBin8::setValueText(const QString &text)
{
    if (!text.isEmpty())
        m_value = parseInt16(text);
}

void TBin8::setReplyText(const QString &text)
{
    if (text.isEmpty())
        return;
    m_reply = parseInt16(text);
    emit replyValueReady();
}

QString TBin8::valueText() const
{
    if (m_value == 0 && TNodeCalls::noneFlag(node()))
        return QStringLiteral("N");
    return QString::number(m_value);
}

QString TBin8::replyText() const
{
    return QString::number(m_reply);
}

int TBin8::valueSize() const
{
    return 1;
}

QString TBin8::className() const
{
    return QStringLiteral("Bin8");
}

int TBin8::valueAsInt() const
{
    return m_value;
}

quint8 TBin8::valueAsByte() const
{
    return quint8(m_value & 0xff);
}

int TBin8::replyAsInt() const
{
    return m_reply;
}

quint8 TBin8::replyAsByte() const
{
    return quint8(m_reply & 0xff);
}

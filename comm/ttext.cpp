#include "comm/ttext.h"

void TText::setValueText(const QString &text)
{
    m_valueText = text;
}

void TText::setReplyText(const QString &text)
{
    m_replyText = text;
    emit replyValueReady();
}

QString TText::valueText() const
{
    return m_valueText;
}

QString TText::replyText() const
{
    return m_replyText;
}

int TText::valueSize() const
{
    return int(m_valueText.size());
}

QString TText::className() const
{
    return QStringLiteral("Text");
}

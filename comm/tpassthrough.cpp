#include "comm/tpassthrough.h"

#include "comm/tnodecalls.h"

void TPassThrough::setValueText(const QString &text)
{
    m_valueText = text;
}

void TPassThrough::setReplyText(const QString &text)
{
    TNodeCalls::setReplyText(node(), text);
    emit replyValueReady();
}

QString TPassThrough::valueText() const
{
    return m_valueText;
}

QString TPassThrough::replyText() const
{
    return TNodeCalls::replyText(node());
}

bool TPassThrough::tick()
{
    const bool due = TTransform::tick();
    return due && !TNodeCalls::pollVetoed(node());
}

QString TPassThrough::queryText() const
{
    return TNodeCalls::queryText(node());
}

QString TPassThrough::className() const
{
    return QStringLiteral("PassThrough");
}

#include "comm/tnodecalls.h"

#include "hardware/hnode.h"

#include <QMetaMethod>

namespace {

// Looked up before the call so that a node without the operation is not reported as an error.
QMetaMethod findMethod(const HNode *node, const char *signature)
{
    if (!node)
        return {};
    const QMetaObject *meta = node->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(signature).constData());
    return index < 0 ? QMetaMethod() : meta->method(index);
}

template<typename T>
T callOr(const HNode *node, const char *signature, T fallback)
{
    const QMetaMethod method = findMethod(node, signature);
    T result = fallback;
    if (method.isValid() && method.returnMetaType() == QMetaType::fromType<T>())
        method.invoke(const_cast<HNode *>(node), Qt::DirectConnection,
                      QGenericReturnArgument(QMetaType::fromType<T>().name(), &result));
    return result;
}

} // namespace

int TNodeCalls::meterNumber(const HNode *node)
{
    return callOr<int>(node, "meterNumber()", 0);
}

int TNodeCalls::channelIndex(const HNode *node, const QString &name)
{
    const QMetaMethod method = findMethod(node, "channelIndex(QString)");
    int result = -1;
    if (method.isValid() && method.returnMetaType() == QMetaType::fromType<int>())
        method.invoke(const_cast<HNode *>(node), Qt::DirectConnection, Q_RETURN_ARG(int, result),
                      Q_ARG(QString, name));
    return result;
}

bool TNodeCalls::noneFlag(const HNode *node)
{
    return callOr<bool>(node, "noneFlag()", false);
}

QString TNodeCalls::queryText(const HNode *node)
{
    return callOr<QString>(node, "queryText()", QString());
}

QString TNodeCalls::replyText(const HNode *node)
{
    return callOr<QString>(node, "replyText()", QString());
}

void TNodeCalls::setReplyText(HNode *node, const QString &text)
{
    const QMetaMethod method = findMethod(node, "setReplyText(QString)");
    if (method.isValid())
        method.invoke(node, Qt::DirectConnection, Q_ARG(QString, text));
}

bool TNodeCalls::pollVetoed(const HNode *node)
{
    return callOr<bool>(node, "pollVetoed()", false);
}

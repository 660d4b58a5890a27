#include "comm/ttransform.h"

#include "canvas/cattributes.h"

#include <limits>

namespace {

QList<TTransform *> &registry()
{
    static QList<TTransform *> transforms;
    return transforms;
}

template<typename T>
T written(T *out, T result)
{
    if (out)
        *out = result;
    return result;
}

} // namespace

TTransform::TTransform(const CAttributes &attributes, HNode *node, QObject *parent)
    : QObject(parent)
    , m_attributes(&attributes)
    , m_node(node)
{
    registry().append(this);
}

TTransform::~TTransform()
{
    registry().removeOne(this);
}

QList<TTransform *> TTransform::liveTransforms()
{
    return registry();
}

TTransform *TTransform::nextInChain() const
{
    return m_nextInChain ? m_nextInChain.data() : const_cast<TTransform *>(this);
}

void TTransform::initialise() {}
void TTransform::setValue(int) {}
void TTransform::setValue(float) {}
void TTransform::setValue(quint8) {}
void TTransform::setValueText(const QString &) {}
void TTransform::setReplyText(const QString &) {}

int TTransform::value(int *out) const
{
    return written(out, valueAsInt());
}

void TTransform::value(float *out) const
{
    written(out, valueAsFloat());
}

quint8 TTransform::value(quint8 *out) const
{
    return written(out, valueAsByte());
}

QString TTransform::valueText() const
{
    return {};
}

int TTransform::reply(int *out) const
{
    return written(out, replyAsInt());
}

void TTransform::reply(float *out) const
{
    written(out, replyAsFloat());
}

quint8 TTransform::reply(quint8 *out) const
{
    return written(out, replyAsByte());
}

QString TTransform::replyText() const
{
    return {};
}

void TTransform::setReplyValue(const QString &text)
{
    setReplyText(text);
}

QString TTransform::displayText() const
{
    return {};
}

void TTransform::setDisplayValue(float) {}

bool TTransform::tick()
{
    if (--m_pollCountdown > 0)
        return false;
    m_pollCountdown = m_pollDivider;
    return true;
}

QString TTransform::queryText() const
{
    return {};
}

int TTransform::valueSize() const
{
    return 0;
}

QString TTransform::className() const
{
    return QStringLiteral("TTransform");
}

void TTransform::setQueryIndices(int index1, int index2, bool flag)
{
    m_queryIndex1 = index1;
    m_queryIndex2 = index2;
    m_overrideFlag = flag;
}

void TTransform::setSetIndices(int index1, int index2)
{
    m_setIndex1 = index1;
    m_setIndex2 = index2;
}

int TTransform::queryIndex1() const
{
    return m_queryIndex1 >= 0 ? m_queryIndex1 : m_attributes->index1();
}

int TTransform::queryIndex2() const
{
    return m_queryIndex2 >= 0 ? m_queryIndex2 : m_attributes->index2();
}

int TTransform::setIndex1() const
{
    return m_setIndex1 >= 0 ? m_setIndex1 : m_attributes->index1();
}

int TTransform::setIndex2() const
{
    return m_setIndex2 >= 0 ? m_setIndex2 : m_attributes->index2();
}

void TTransform::setPollDivider(int divider)
{
    m_pollDivider = divider;
    m_pollCountdown = 0;
}

int TTransform::valueAsInt() const
{
    return 0;
}

float TTransform::valueAsFloat() const
{
    return 0.0f;
}

quint8 TTransform::valueAsByte() const
{
    return 0;
}

int TTransform::replyAsInt() const
{
    return 0;
}

float TTransform::replyAsFloat() const
{
    return 0.0f;
}

quint8 TTransform::replyAsByte() const
{
    return 0;
}

int TTransform::parseInt16(const QString &text)
{
    const bool hex = text.startsWith(QLatin1String("0x"));
    bool ok = false;
    const qlonglong number = (hex ? text.mid(2) : text).toLongLong(&ok, hex ? 16 : 10);
    if (!ok || number < std::numeric_limits<qint16>::min() ||
        number > std::numeric_limits<qint16>::max())
        return 0;
    return int(number);
}

int TTransform::indexOf(const QStringList &items, const QString &text)
{
    return qMax(0, int(items.indexOf(text)));
}

QString TTransform::itemAt(const QStringList &items, int index)
{
    return index >= 0 && index < items.size() ? items.at(index) : QStringLiteral("?");
}

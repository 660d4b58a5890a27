#include "canvas/cattributes.h"

#include "hardware/hdante.h"

namespace {

QString key(const QString &group, const QString &name)
{
    return group + QLatin1Char('/') + name;
}

} // namespace

CAttributes::CAttributes() = default;

CAttributes::~CAttributes() = default;

quint32 CAttributes::toUInt32(const QString &text)
{
    bool ok = false;
    const quint32 number =
        text.startsWith(QLatin1String("0x")) ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    return ok ? number : 0;
}

int CAttributes::toInt32(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? number : 0;
}

float CAttributes::toFloat(const QString &text)
{
    bool ok = false;
    const float number = text.toFloat(&ok);
    return ok ? number : 0.0f;
}

void CAttributes::setAttribute(const QString &group, const QString &name, const QString &value)
{
    m_values.insert(key(group, name), value);
    if (setNumber(name, value) || setText(name, value))
        return;
    if (name == QLatin1String("action")) {
        if (value == QLatin1String("SET"))
            m_setFlag = true;
        else if (value == QLatin1String("RESET"))
            m_resetFlag = true;
    }
}

bool CAttributes::setNumber(const QString &name, const QString &value)
{
    if (name == QLatin1String("index1"))
        m_index1 = toInt32(value);
    else if (name == QLatin1String("index2"))
        m_index2 = toInt32(value);
    else if (name == QLatin1String("link"))
        m_link = toUInt32(value);
    else if (name == QLatin1String("minimum"))
        m_minimum = toFloat(value);
    else if (name == QLatin1String("maximum"))
        m_maximum = toFloat(value);
    else if (name == QLatin1String("step"))
        m_step = toFloat(value);
    else if (name == QLatin1String("minLimit"))
        m_minLimit = toFloat(value);
    else if (name == QLatin1String("maxLimit"))
        m_maxLimit = toFloat(value);
    else if (name == QLatin1String("field"))
        m_field = toUInt32(value);
    else if (name == QLatin1String("struct"))
        m_struct = toUInt32(value);
    else if (name == QLatin1String("enableEdit"))
        m_enableEdit = toInt32(value) != 0;
    else if (name == QLatin1String("cardPin"))
        m_cardPin = toInt32(value);
    else if (name == QLatin1String("doNotPoll"))
        m_doNotPoll = toInt32(value) != 0;
    else
        return false;
    return true;
}

bool CAttributes::setText(const QString &name, const QString &value)
{
    if (name == QLatin1String("set"))
        m_set = value;
    else if (name == QLatin1String("format"))
        m_format = value;
    else if (name == QLatin1String("units"))
        m_units = value;
    else if (name == QLatin1String("transform"))
        m_transform = value;
    else if (name == QLatin1String("callType"))
        m_callType = value;
    else if (name == QLatin1String("channelLabel"))
        m_channelLabel = value;
    else
        return false;
    return true;
}

// Nothing to complete yet: every recognised value is taken as its leaf arrives.
void CAttributes::attributeEnded(const QString &) {}

QString CAttributes::value(const QString &group, const QString &name) const
{
    return m_values.value(key(group, name));
}

int CAttributes::cardPin(const HNode *node) const
{
    if (m_cardPin >= 0)
        return m_cardPin;
    const auto *dante = qobject_cast<const HDante *>(node);
    return dante ? dante->cardPins().value(dante->channelIndex(m_channelLabel), -1) : -1;
}

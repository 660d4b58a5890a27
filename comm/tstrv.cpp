#include "comm/tstrv.h"

#include "canvas/cattributes.h"
#include "util/logcategories.h"

#include <cmath>

namespace {

int toInt(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number : 0;
}

quint8 toByte(const QString &text)
{
    bool ok = false;
    const ushort number = text.toUShort(&ok);
    return ok && number <= 0xff ? quint8(number) : quint8(0);
}

// "nn.n" means one decimal.
int decimalsOf(const QString &format)
{
    const int dot = int(format.indexOf(QLatin1Char('.')));
    return dot < 0 ? 0 : int(format.size()) - dot - 1;
}

} // namespace

void TStrV::initialise()
{
    m_decimals = decimalsOf(attributes().format());
    m_isPercent = attributes().units() == QLatin1String("pct");
}

void TStrV::setValue(int value)
{
    setValueText(QString::number(value));
}

void TStrV::setValue(float value)
{
    setValueText(QString::number(value, 'f', 1));
}

void TStrV::setValue(quint8 value)
{
    setValueText(QString::number(value));
}

void TStrV::setReplyText(const QString &text)
{
    if (!isDeviceValue(text)) {
        if (!m_refusing)
            qCWarning(lcProtocol) << "Ignored a device value that is not a number:" << text;
        m_refusing = true;
        return;
    }
    m_refusing = false;
    TText::setReplyText(text);
}

bool TStrV::isDeviceValue(const QString &text) const
{
    bool ok = false;
    const float number = text.toFloat(&ok);
    return ok && std::isfinite(number);
}

QString TStrV::displayText() const
{
    return m_isPercent ? m_displayText + QLatin1Char('%') : m_displayText;
}

void TStrV::setDisplayValue(float value)
{
    m_displayText = QString::number(value, 'f', m_decimals);
}

QString TStrV::className() const
{
    return QStringLiteral("StrV");
}

int TStrV::valueAsInt() const
{
    return toInt(valueText());
}

float TStrV::valueAsFloat() const
{
    return valueText().toFloat();
}

quint8 TStrV::valueAsByte() const
{
    return toByte(valueText());
}

int TStrV::replyAsInt() const
{
    return toInt(replyText());
}

float TStrV::replyAsFloat() const
{
    return replyText().toFloat();
}

quint8 TStrV::replyAsByte() const
{
    return toByte(replyText());
}

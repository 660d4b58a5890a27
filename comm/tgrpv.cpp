#include "comm/tgrpv.h"

#include "hardware/hnode.h"

#include <cmath>

namespace {

constexpr int zeroDbCode = 120;
constexpr int maxCode = 144;

QString hex(int code)
{
    return QString::number(code, 16);
}

int codeOfSteps(int halfDbSteps)
{
    return qMin(zeroDbCode + halfDbSteps, maxCode);
}

struct Code
{
    bool ok = false;
    int code = 0;
};

Code parseCode(const QString &text)
{
    Code parsed;
    parsed.code = text.toInt(&parsed.ok, 16);
    return parsed;
}

int dbOf(const Code &parsed)
{
    return parsed.ok ? (parsed.code - zeroDbCode) / 2 : -60;
}

float floatDbOf(const Code &parsed)
{
    return parsed.ok ? float(parsed.code - zeroDbCode) * 0.5f : -60.0f;
}

quint8 byteDbOf(const Code &parsed)
{
    return parsed.ok ? quint8((parsed.code - zeroDbCode) / 2) : quint8(68);
}

} // namespace

void TGrpV::setValue(int value)
{
    if (rawNode())
        TText::setValueText(QString::number(value));
    else
        setValue(float(value));
}

void TGrpV::setValue(float value)
{
    const int code = codeOfSteps(int(std::trunc(value * 2.0f)));
    TText::setValueText(code <= -1 ? QStringLiteral("FF") : hex(code));
}

void TGrpV::setValue(quint8 value)
{
    TText::setValueText(hex(codeOfSteps(2 * value)));
}

void TGrpV::setValueText(const QString &text)
{
    bool ok = false;
    const int db = text.toInt(&ok);
    const int code = ok ? codeOfSteps(2 * db) : zeroDbCode;
    TText::setValueText(hex(qMax(code, -1)));
}

QString TGrpV::className() const
{
    return QStringLiteral("GrpV");
}

int TGrpV::valueAsInt() const
{
    return dbOf(parseCode(valueText()));
}

float TGrpV::valueAsFloat() const
{
    return floatDbOf(parseCode(valueText()));
}

quint8 TGrpV::valueAsByte() const
{
    return byteDbOf(parseCode(valueText()));
}

int TGrpV::replyAsInt() const
{
    const Code parsed = parseCode(replyText());
    return rawNode() && parsed.ok ? parsed.code : dbOf(parsed);
}

float TGrpV::replyAsFloat() const
{
    if (replyText().compare(QLatin1String("FF"), Qt::CaseInsensitive) == 0)
        return -60.5f;
    return floatDbOf(parseCode(replyText()));
}

quint8 TGrpV::replyAsByte() const
{
    return byteDbOf(parseCode(replyText()));
}

bool TGrpV::rawNode() const
{
    return node() && node()->typenum() == QLatin1String("3");
}

bool TGrpV::isDeviceValue(const QString &text) const
{
    return parseCode(text).ok;
}

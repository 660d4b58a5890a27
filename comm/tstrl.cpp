#include "comm/tstrl.h"

#include "canvas/cattributes.h"

namespace {
constexpr int slotCount = 8;
}

void TStrL::initialise()
{
    QStringList fields = attributes().set().split(QLatin1Char(',')).mid(0, slotCount);
    while (fields.size() < slotCount)
        fields.append(QString());
    setItems(fields);
}

QString TStrL::className() const
{
    return QStringLiteral("StrL");
}

#include "hardware/haudioio.h"

HAudioIO::HAudioIO(const QString &cardType, int direction)
    : m_cardType(cardType.startsWith(QLatin1String("VOIP")) ? QStringLiteral("VOIP") : cardType)
    , m_ioCategory(QObject::tr("Analog I/O"))
    , m_direction(direction)
{}

QString HAudioIO::category() const
{
    return m_ioCategory;
}

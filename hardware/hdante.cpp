#include "hardware/hdante.h"

HDante::HDante(const QString &cardType, int direction)
    : HAudioIO(cardType, direction)
{
    setIoCategory(QStringLiteral("Dante I/O"));
}

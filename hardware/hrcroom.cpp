#include "hardware/hrcroom.h"

HRCRoom::HRCRoom() = default;

QString HRCRoom::category() const
{
    return QObject::tr("RCRooms");
}

#include "hardware/hrcgroup.h"

HRCGroup::HRCGroup() = default;

QString HRCGroup::category() const
{
    return QObject::tr("RCGroups");
}

#include "hardware/hgroup.h"

HGroup::HGroup() = default;

QString HGroup::category() const
{
    return QObject::tr("Groups");
}

#include "hardware/hparameterset.h"

HParameterSet::HParameterSet() = default;

QString HParameterSet::category() const
{
    return QObject::tr("ParameterSets");
}

#include "hardware/hparametersetlist.h"

HParameterSetList::HParameterSetList() = default;

QString HParameterSetList::category() const
{
    return QObject::tr("ParameterSetLists");
}

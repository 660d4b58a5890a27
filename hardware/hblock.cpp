#include "hardware/hblock.h"

HBlock::HBlock() = default;

QString HBlock::category() const
{
    return QObject::tr("Blocks");
}

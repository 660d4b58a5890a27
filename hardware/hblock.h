#pragma once

#include "hardware/hnode.h"

// A signal-processing block of a chassis.
class HBlock : public HNode
{
    Q_OBJECT

public:
    HBlock();

    QString category() const override;
};

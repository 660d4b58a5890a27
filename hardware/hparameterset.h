#pragma once

#include "hardware/hnode.h"

// A designer parameter set: recalls a stored state.
class HParameterSet : public HNode
{
    Q_OBJECT

public:
    HParameterSet();

    QString category() const override;
};

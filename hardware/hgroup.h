#pragma once

#include "hardware/hnode.h"

// A designer group: one control moves several block parameters at once.
class HGroup : public HNode
{
    Q_OBJECT

public:
    HGroup();

    QString category() const override;
};

#pragma once

#include "hardware/hnode.h"

// One combination of the rooms of a room-combining group. It has no category of its own.
class HRCGroupCombo : public HNode
{
    Q_OBJECT

public:
    HRCGroupCombo();
};

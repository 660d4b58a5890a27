#pragma once

#include "hardware/hnode.h"

// A room of a room-combining group.
class HRCRoom : public HNode
{
    Q_OBJECT

public:
    HRCRoom();

    QString category() const override;
};

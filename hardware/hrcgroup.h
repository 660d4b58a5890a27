#pragma once

#include "hardware/hcomposite.h"

// A room-combining group; its rooms are its children.
class HRCGroup : public HComposite
{
    Q_OBJECT

public:
    HRCGroup();

    QString category() const override;
};

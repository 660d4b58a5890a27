#pragma once

#include "hardware/hnode.h"

// A panel list: several parameter sets offered in one list.
class HParameterSetList : public HNode
{
    Q_OBJECT

public:
    HParameterSetList();

    QString category() const override;
};

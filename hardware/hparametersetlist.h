#pragma once

#include "hardware/hnode.h"

// A panel list: several parameter sets offered in one list.
class HParameterSetList : public HNode
{
    Q_OBJECT

public:
    HParameterSetList();

    QString category() const override;

    // The list's value 0 stands for no parameter set, so it goes out as "N".
    Q_INVOKABLE bool noneFlag() const { return m_noneFlag; }
    void setNoneFlag(bool on) { m_noneFlag = on; }

private:
    bool m_noneFlag = false;
};

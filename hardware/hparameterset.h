#pragma once

#include "hardware/hnode.h"

// A designer parameter set: recalls a stored state.
class HParameterSet : public HNode
{
    Q_OBJECT

public:
    HParameterSet();

    QString category() const override;
    // The designer's "Param. Set" is known to the templates as "ParamSet".
    bool completeSetup() override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;
    QString platform() const override;
};

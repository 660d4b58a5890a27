#include "hardware/hparameterset.h"

HParameterSet::HParameterSet() = default;

QString HParameterSet::category() const
{
    return QObject::tr("ParameterSets");
}

bool HParameterSet::completeSetup()
{
    HNode::completeSetup();
    removeTitlePunctuation();
    setTypenum(QStringLiteral("0"));
    return true;
}

HChassis *HParameterSet::selectAttachChassis(HChassis *mainChassis, HChassis *) const
{
    return mainChassis;
}

QString HParameterSet::platform() const
{
    return QStringLiteral("Veloxa");
}

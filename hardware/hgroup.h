#pragma once

#include "hardware/hnode.h"

#include <QStringList>

// A designer group: one control moves several block parameters at once.
class HGroup : public HNode
{
    Q_OBJECT

public:
    HGroup();

    QString category() const override;
    // "groupType"; everything else goes to the base.
    void parseProperty(const QXmlAttributes &attributes) override;
    // The group type settles the type number, and with it the group's template.
    bool completeSetup() override;
    // Only a selector group keeps its assignments: they name its entries.
    void addAssignment(const QXmlAttributes &attributes, bool mergeMode) override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;
    QString platform() const override;

    // "Level", "Level + Mute", "Mute", "Selector", "None", ...
    QString groupType() const { return m_groupType; }
    // The block a selector group drives; 0 until its first assignment.
    int selectorTarget() const { return m_selectorTarget; }
    QStringList selectorItems() const { return m_selectorItems; }

private:
    QString m_groupType;
    qint32 m_selectorTarget = 0;
    QStringList m_selectorItems;
};

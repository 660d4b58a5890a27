#pragma once

#include "hardware/hnode.h"

#include <QList>
#include <QStringList>

// A panel list: several parameter sets offered in one list.
class HParameterSetList : public HNode
{
    Q_OBJECT

public:
    HParameterSetList();

    QString category() const override;
    bool completeSetup() override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;
    QString platform() const override;

    // One Assign of the list's assignment section: the set's id, and its label found among the
    // parameter sets below the list's parent.
    void addTarget(const QString &targetId);
    // Labels and ids of the list's parameter sets, in list order.
    QStringList setNames() const { return m_setNames; }
    QList<qint32> setIds() const { return m_setIds; }

    // The list's value 0 stands for no parameter set, so it goes out as "N".
    Q_INVOKABLE bool noneFlag() const { return m_noneFlag; }
    void setNoneFlag(bool on) { m_noneFlag = on; }

private:
    QStringList m_setNames;
    QList<qint32> m_setIds;
    bool m_noneFlag = false;
};

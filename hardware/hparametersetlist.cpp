#include "hardware/hparametersetlist.h"

HParameterSetList::HParameterSetList() = default;

QString HParameterSetList::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "ParameterSetLists"));
}

bool HParameterSetList::completeSetup()
{
    HNode::completeSetup();
    // The designer's "PSet List" is known to the templates as "PSetList".
    removeTitlePunctuation();
    setTypenum(QStringLiteral("0"));
    return true;
}

HChassis *HParameterSetList::selectAttachChassis(HChassis *mainChassis, HChassis *) const
{
    return mainChassis;
}

QString HParameterSetList::platform() const
{
    return QStringLiteral("Veloxa");
}

void HParameterSetList::addTarget(const QString &targetId)
{
    m_setIds.append(targetId.toInt());
    QList<HNode *> sets;
    if (!parentNode() || !parentNode()->collectByCategory(
                             QStringLiteral(QT_TRANSLATE_NOOP("HNode", "ParameterSets")), sets))
        return;
    for (const HNode *set : std::as_const(sets)) {
        if (set->id() == targetId) {
            m_setNames.append(set->label());
            return;
        }
    }
}

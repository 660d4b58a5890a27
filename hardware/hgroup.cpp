#include "hardware/hgroup.h"

#include <QXmlAttributes>

namespace {

bool toInt(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

} // namespace

HGroup::HGroup() = default;

QString HGroup::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Groups"));
}

void HGroup::parseProperty(const QXmlAttributes &attributes)
{
    if (attributes.value(QStringLiteral("name")) == QLatin1String("groupType"))
        m_groupType = attributes.value(QStringLiteral("value"));
    else
        HNode::parseProperty(attributes);
}

bool HGroup::completeSetup()
{
    HNode::completeSetup();
    static const QStringList types = {QStringLiteral("Level"), QStringLiteral("Level + Mute"),
                                      QStringLiteral("Mute"), QStringLiteral("Selector")};
    const qsizetype type = types.indexOf(m_groupType);
    if (type >= 0)
        setTypenum(QString::number(type));
    return true;
}

void HGroup::addAssignment(const QXmlAttributes &attributes, bool)
{
    if (m_groupType != QLatin1String("Selector"))
        return;
    const int target = attributes.value(QStringLiteral("targetID")).toInt();
    if (m_selectorTarget == 0)
        m_selectorTarget = target;
    else if (target != m_selectorTarget)
        return;

    const QString property = attributes.value(QStringLiteral("targetProp"));
    if (property.startsWith(QLatin1String("name"))) {
        m_selectorItems.append(attributes.value(QStringLiteral("targetValue")));
        return;
    }
    if (property != QLatin1String("selector"))
        return;
    int min = 0;
    int max = 0;
    int step = 0;
    if (!toInt(attributes.value(QStringLiteral("targetMin")), min) ||
        !toInt(attributes.value(QStringLiteral("targetMax")), max) ||
        !toInt(attributes.value(QStringLiteral("targetStep")), step) || min > max)
        return;
    // A step below 1 would never reach the top of the range.
    step = qMax(step, 1);
    for (qint64 entry = min; entry <= max; entry += step)
        m_selectorItems.append(QLatin1Char('<') + QString::number(entry) + QLatin1Char('>'));
}

HChassis *HGroup::selectAttachChassis(HChassis *mainChassis, HChassis *) const
{
    return mainChassis;
}

QString HGroup::platform() const
{
    return QStringLiteral("Veloxa");
}

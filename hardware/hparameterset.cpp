#include "hardware/hparameterset.h"

#include "hardware/hdevicedictionary.h"

#include <QXmlAttributes>

#include <algorithm>

HParameterSet::HParameterSet() = default;

void HParameterSet::parseProperty(const QXmlAttributes &attributes)
{
    m_parameters.append(
        {attributes.value(QStringLiteral("name")), attributes.value(QStringLiteral("value"))});
    HNode::parseProperty(attributes);
}

QString HParameterSet::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "ParameterSets"));
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

QString HParameterSet::templatePath(const QString &parameterName) const
{
    const bool listed =
        parameterName != label() &&
        std::any_of(m_parameters.cbegin(), m_parameters.cend(),
                    [&](const Parameter &parameter) { return parameter.name == parameterName; });
    return HDeviceDictionary::path(platform(), listed ? QStringLiteral("ParamList_0.xml")
                                                      : QStringLiteral("ParamSet_0.xml"));
}

QString HParameterSet::templatePath() const
{
    return templatePath(label());
}

#pragma once

#include "hardware/hnode.h"

#include <QList>

// A designer parameter set: recalls a stored state.
class HParameterSet : public HNode
{
    Q_OBJECT

public:
    // One designer property of the set.
    struct Parameter
    {
        QString name;
        QString value;
    };

    HParameterSet();

    // Keeps every property as a parameter record, then hands it to the base.
    void parseProperty(const QXmlAttributes &attributes) override;
    QList<Parameter> parameters() const { return m_parameters; }

    QString category() const override;
    // The designer's "Param. Set" is known to the templates as "ParamSet".
    bool completeSetup() override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;
    QString platform() const override;
    // A parameter of the set other than its label is offered as a list ("ParamList_0.xml");
    // the set itself, and any name it does not hold, as a link that recalls it
    // ("ParamSet_0.xml").
    QString templatePath(const QString &parameterName) const;
    QString templatePath() const override;

private:
    QList<Parameter> m_parameters;
};

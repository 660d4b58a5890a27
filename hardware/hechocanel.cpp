#include "hardware/hechocanel.h"

HEchoCanel::HEchoCanel() = default;

bool HEchoCanel::completeSetup()
{
    HNode::completeSetup();
    setTypenum(QStringLiteral("0"));
    setTitle(QStringLiteral("EchoCancel"));
    return true;
}

QString HEchoCanel::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Echo Cancellation"));
}

#include "hardware/hchassis.h"

#include "comm/iinterface.h"

HChassis::HChassis()
{
    setMarks(FlagChassis);
}

void HChassis::setConnectionAttribute(const QString &name, const QString &value)
{
    if (name == QLatin1String("title"))
        setTitle(value);
    else if (name == QLatin1String("ipaddress"))
        m_ipAddress = value;
    else if (name == QLatin1String("ipport"))
        m_ipPort = value;
    else if (name == QLatin1String("monitorport"))
        m_monitorPort = value;
    else if (name == QLatin1String("serialport"))
        m_serialPort = value;
    else if (name == QLatin1String("platform"))
        m_platform = value;
}

HChassis::~HChassis() = default;

void HChassis::connectionAttributeEnded(const QString &name)
{
    if (name != QLatin1String("platform") || m_interface)
        return;
    // The transport speaks no device language yet: a null interface that never comes online.
    m_interface = std::make_unique<IInterface>();
    m_interface->setOwner(this);
}

bool HChassis::completeSetup()
{
    return true;
}

QString HChassis::platform() const
{
    return m_platform;
}

QString HChassis::category() const
{
    return QStringLiteral("Chassis");
}

void HChassis::setEnabled(bool on)
{
    if (!m_interface)
        return;
    if (on)
        m_interface->open();
    else
        m_interface->close();
}

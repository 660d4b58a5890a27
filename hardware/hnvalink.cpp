#include "hardware/hnvalink.h"

#include "hardware/hchassis.h"
#include "hardware/hdevicedictionary.h"

HNVALink::HNVALink()
    : HAudioIO(QString(), Link)
{
    setIoCategory(QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Digital I/O")));
}

QString HNVALink::channelLabel(int index) const
{
    if (index < 0 || index >= m_channelNames.size())
        return QString();
    return label() + QLatin1Char('-') + m_channelNames.at(index);
}

int HNVALink::channelIndex(const QString &name) const
{
    return m_channelNames.indexOf(name);
}

QString HNVALink::templatePath() const
{
    return HDeviceDictionary::path(platform(), QStringLiteral("NVALink_0.xml"));
}

void HNVALink::setParentNode(HNode *parent)
{
    HAudioIO::setParentNode(parent);
    const auto *chassis = qobject_cast<const HChassis *>(parent);
    if (chassis && chassis->usesCordaLinkName())
        setLabel(QStringLiteral("CordaLink"));
}

#include "hardware/hdante.h"

#include "hardware/hdevicedictionary.h"

#include <QXmlAttributes>

HDante::HDante(const QString &cardType, int direction)
    : HAudioIO(cardType, direction)
{
    setIoCategory(QStringLiteral("Dante I/O"));
}

void HDante::parseProperty(const QXmlAttributes &attributes)
{
    const QString name = attributes.value(QStringLiteral("name"));
    const QString value = attributes.value(QStringLiteral("value"));
    if (name == QLatin1String("label"))
        setLabel(value);
    else if (name.startsWith(QLatin1String("label")))
        m_channelLabels.append(value);
    else if (name.startsWith(QLatin1String("cardPin")))
        m_cardPins.append(value.toInt());
    else
        HAudioIO::parseProperty(attributes);
}

int HDante::channelIndex(const QString &name) const
{
    return m_channelLabels.indexOf(name);
}

QString HDante::templatePath() const
{
    return HDeviceDictionary::path(platform(), QStringLiteral("Dante_0.xml"));
}

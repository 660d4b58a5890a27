#include "controls/wmeterimage.h"

#include "controls/wimage.h"
#include "controls/wmeter.h"
#include "formats/xmlwriter.h"

WMeterImage::WMeterImage(QQuickItem *parent)
    : WWidget(parent)
{
    connect(&m_polling.timer(), &QTimer::timeout, this, &WMeterImage::onGetStatusTimerTimeout);
}

WMeterImage::~WMeterImage() = default;

void WMeterImage::initWidget()
{
    setItemProperty("path", QLatin1String(GreyImage));
    setItemProperty("imageOpacity", 1.0);
}

void WMeterImage::configure(const CAttributes *range)
{
    WMeter::configureMeter(*this, range);
}

void WMeterImage::refresh()
{
    m_polling.refresh(*this);
}

bool WMeterImage::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeDouble(QStringLiteral("minimum"), m_minimum);
    writer.writeDouble(QStringLiteral("maximum"), m_maximum);
    writer.writeText(QStringLiteral("path"), itemProperty("path").toString());
    writer.writeDouble(QStringLiteral("imagesize"), itemProperty("imageSize").toDouble());
    writer.writeDouble(QStringLiteral("imageOpacity"), itemProperty("imageOpacity").toDouble());
    writer.writeText(QStringLiteral("text"), text());
    writer.writeText(QStringLiteral("meterRate"), m_polling.rate());
    writer.writeDouble(QStringLiteral("colorBreakValue1"), m_colorBreak1);
    writer.writeDouble(QStringLiteral("colorBreakValue2"), m_colorBreak2);
    writer.writeText(QStringLiteral("channelName"), m_polling.channelName());
    writer.writeInt(QStringLiteral("indexOffset"), m_polling.indexOffset());
    writer.writeEndElement();
    return true;
}

bool WMeterImage::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value) || m_polling.processProperty(name, value))
        return true;
    if (name == QLatin1String("path")) {
        if (const QString image = WImage::localImage(value); !image.isEmpty())
            setItemProperty("path", image);
    } else if (name == QLatin1String("imagesize")) {
        setItemProperty("imageSize", value.toDouble());
    } else if (name == QLatin1String("imageOpacity")) {
        setItemProperty("imageOpacity", value.toDouble());
    } else if (name == QLatin1String("text")) {
        setText(value);
    } else if (name == QLatin1String("minimum")) {
        m_minimum = value.toDouble();
    } else if (name == QLatin1String("maximum")) {
        m_maximum = value.toDouble();
    } else if (name == QLatin1String("colorBreakValue1")) {
        m_colorBreak1 = value.toDouble();
    } else if (name == QLatin1String("colorBreakValue2")) {
        m_colorBreak2 = value.toDouble();
    } else {
        return false;
    }
    return true;
}

void WMeterImage::updateFromDevice()
{
    const std::optional<double> level = WMeter::deviceLevel(*this);
    if (!level)
        return;
    const char *image = OrangeImage;
    if (*level <= m_minimum)
        image = GreyImage;
    else if (*level <= m_colorBreak1)
        image = GreenImage;
    else if (*level <= m_colorBreak2)
        image = YellowImage;
    setReady(false);
    setItemProperty("value", *level);
    setItemProperty("path", QLatin1String(image));
    setReady(true);
}

void WMeterImage::onOnlineStateChanged(bool online)
{
    if (!online)
        setItemProperty("path", QLatin1String(GreyImage));
    else
        m_polling.start();
}

void WMeterImage::onGetStatusTimerTimeout()
{
    WMeter::requestStatus(*this);
}

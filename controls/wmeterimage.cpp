#include "controls/wmeterimage.h"

#include "controls/wmeter.h"
#include "formats/xmlwriter.h"

namespace {
constexpr int StatusMs = 250;
} // namespace

WMeterImage::WMeterImage(QQuickItem *parent)
    : WWidget(parent)
{
    m_statusTimer.setInterval(StatusMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &WMeterImage::onGetStatusTimerTimeout);
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
    WMeter::refreshChannel(*this, m_channelName, m_indexOffset);
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
    writer.writeText(QStringLiteral("meterRate"), m_meterRate);
    writer.writeDouble(QStringLiteral("colorBreakValue1"), m_colorBreak1);
    writer.writeDouble(QStringLiteral("colorBreakValue2"), m_colorBreak2);
    writer.writeText(QStringLiteral("channelName"), m_channelName);
    writer.writeInt(QStringLiteral("indexOffset"), m_indexOffset);
    writer.writeEndElement();
    return true;
}

bool WMeterImage::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    if (name == QLatin1String("path")) {
        setItemProperty("path", value);
    } else if (name == QLatin1String("imagesize")) {
        setItemProperty("imageSize", value.toDouble());
    } else if (name == QLatin1String("imageOpacity")) {
        setItemProperty("imageOpacity", value.toDouble());
    } else if (name == QLatin1String("text")) {
        setText(value);
    } else if (name == QLatin1String("meterRate")) {
        m_meterRate = value;
        if (const std::optional<int> interval = WMeter::rateInterval(value))
            m_statusTimer.setInterval(*interval);
    } else if (name == QLatin1String("channelName")) {
        m_channelName = value;
    } else if (name == QLatin1String("indexOffset")) {
        m_indexOffset = value.toInt();
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
    else if (!m_statusTimer.isActive())
        m_statusTimer.start();
}

void WMeterImage::onGetStatusTimerTimeout()
{
    WMeter::requestStatus(protocol(), transform());
}

#include "controls/wmeter.h"

#include "canvas/cattributes.h"
#include "canvas/ccontrol.h"
#include "formats/xmlwriter.h"
#include "hardware/hdante.h"
#include "hardware/hnode.h"
#include "hardware/hnvalink.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int PeakMs = 2500;
constexpr int HoldUpdates = 3;
constexpr double DecayPerUpdate = 0.08;
constexpr double OutputOffset = 24.0;

const QString LabelMarker = QStringLiteral("*LABEL*");

} // namespace

WMeter::WMeter(QQuickItem *parent)
    : WWidget(parent)
{
    m_peakTimer.setInterval(PeakMs);
    connect(&m_peakTimer, &QTimer::timeout, this, &WMeter::onSendDelayTimerTimeout);
    connect(&m_polling.timer(), &QTimer::timeout, this, &WMeter::onGetStatusTimerTimeout);
}

WMeter::~WMeter() = default;

void WMeter::configure(const CAttributes *range)
{
    configureMeter(*this, range);
}

void WMeter::refresh()
{
    m_polling.refresh(*this);
}

bool WMeter::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("text"), text());
    writer.writeText(QStringLiteral("color"), itemColorName("textColor"));
    writer.writeDouble(QStringLiteral("minimum"), m_minimum);
    writer.writeDouble(QStringLiteral("maximum"), m_maximum);
    writer.writeDouble(QStringLiteral("colorBreakValue1"), m_colorBreak1);
    writer.writeDouble(QStringLiteral("colorBreakValue2"), m_colorBreak2);
    writer.writeText(QStringLiteral("unitsText"), m_unitsText);
    // Written only when set: on reading, the element itself switches the marker on.
    if (m_markerLevel)
        writer.writeDouble(QStringLiteral("markerLevelPoint"), *m_markerLevel);
    writer.writeText(QStringLiteral("meterRate"), m_polling.rate());
    writer.writeText(QStringLiteral("channelName"), m_polling.channelName());
    writer.writeInt(QStringLiteral("indexOffset"), m_polling.indexOffset());
    writer.writeEndElement();
    return true;
}

bool WMeter::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value) || m_polling.processProperty(name, value))
        return true;
    if (name == QLatin1String("text")) {
        setTitle(value);
    } else if (name == QLatin1String("color")) {
        setItemColor("textColor", value);
    } else if (name == QLatin1String("markerLevelPoint")) {
        m_markerLevel = value.toDouble();
        showMarker();
    } else if (name == QLatin1String("unitsText")) {
        if (m_unitsText != value) {
            m_unitsText = value;
            emit unitsTextChanged();
        }
    } else if (name == QLatin1String("minimum")) {
        setRange(value.toDouble(), m_maximum);
    } else if (name == QLatin1String("maximum")) {
        setRange(m_minimum, value.toDouble());
    } else if (name == QLatin1String("colorBreakValue1")) {
        m_colorBreak1 = value.toDouble();
    } else if (name == QLatin1String("colorBreakValue2")) {
        m_colorBreak2 = value.toDouble();
    } else {
        return false;
    }
    return true;
}

void WMeter::setTitle(const QString &text)
{
    QString caption = text;
    if (caption.contains(LabelMarker) && owner() && owner()->node())
        caption.replace(LabelMarker, owner()->node()->label());
    setText(caption);
}

void WMeter::setRange(double minimum, double maximum)
{
    const bool minimumMoved = minimum != m_minimum;
    const bool maximumMoved = maximum != m_maximum;
    m_minimum = minimum;
    m_maximum = maximum;
    if (minimumMoved)
        emit minimumChanged();
    if (maximumMoved)
        emit maximumChanged();
    showMarker();
}

void WMeter::showMarker()
{
    if (!m_markerLevel)
        return;
    setItemProperty("isMarkerEnabled", true);
    setItemProperty("markerLevelPoint", fraction(*m_markerLevel));
}

double WMeter::fraction(double level) const
{
    // An empty or inverted range would divide by zero; such a meter shows nothing.
    if (span() <= 0)
        return 0.0;
    return std::clamp(level - m_minimum, 0.0, span()) / span();
}

void WMeter::updateFromDevice()
{
    const std::optional<double> level = deviceLevel(*this);
    if (!level)
        return;
    setReady(false);
    setItemProperty("value", *level);
    holdPeak(*level);
    m_peakTimer.start(PeakMs);
    showZones(*level);
    setReady(true);
}

void WMeter::holdPeak(double level)
{
    const auto restartHold = [this](double peak) {
        m_peak = peak;
        m_peakDecay = 0.0;
        m_holdCount = HoldUpdates;
    };
    if (level >= m_peak) {
        restartHold(level);
    } else {
        m_peak -= m_peakDecay;
        if (level > m_peak) {
            restartHold(level);
        } else {
            if (m_holdCount > 0)
                m_holdCount -= 1;
            if (m_holdCount <= 0)
                m_peakDecay = DecayPerUpdate;
        }
    }
    setItemProperty("isPeakEnabled", true);
    setItemProperty("peakLevelPoint", span() > 0 ? (m_peak - m_minimum - 0.1) / span() : 0.0);
}

void WMeter::showZones(double level)
{
    const double range = span() > 0 ? span() : 1.0;
    if (level <= m_minimum) {
        showZone(1, OffColor, 0.0);
        showZone(2, OffColor, 0.0);
        showZone(3, OffColor, 0.0);
    } else if (level <= m_colorBreak1) {
        showZone(1, GreenColor, (level - m_minimum) / range);
        showZone(2, OffColor, 0.0);
        showZone(3, OffColor, 0.0);
    } else if (level <= m_colorBreak2) {
        showZone(1, GreenColor, (m_colorBreak1 - m_minimum) / range);
        showZone(2, YellowColor, (level - m_colorBreak1) / range);
        showZone(3, OffColor, (m_maximum - m_colorBreak2) / range);
    } else {
        showZone(1, GreenColor, (m_colorBreak1 - m_minimum) / range);
        showZone(2, YellowColor, (m_colorBreak2 - m_colorBreak1) / range);
        showZone(3, OrangeColor, (level - m_colorBreak2) / range);
    }
}

void WMeter::showZone(int zone, const char *color, double stop)
{
    const QByteArray colorName = "colorAtPoint" + QByteArray::number(zone);
    const QByteArray stopName = "colorStopPoint" + QByteArray::number(zone);
    setItemColor(colorName.constData(), QLatin1String(color));
    setItemProperty(stopName.constData(), stop);
}

void WMeter::showOffline()
{
    for (int zone = 1; zone <= 3; ++zone) {
        const QByteArray colorName = "colorAtPoint" + QByteArray::number(zone);
        setItemColor(colorName.constData(), QLatin1String(OffColor));
    }
    setItemProperty("isPeakEnabled", false);
    setItemProperty("peakLevelPoint", 0.0);
    m_peak = m_minimum;
}

void WMeter::onOnlineStateChanged(bool online)
{
    m_online = online;
    if (!online) {
        showOffline();
        return;
    }
    m_polling.start();
}

void WMeter::onSendDelayTimerTimeout()
{
    const double level = itemProperty("peakLevelPoint").toDouble() * span() + m_minimum - 1.0;
    if (level < m_minimum - 1.0 || level > m_maximum)
        return;
    m_peak = level;
    setItemProperty("peakLevelPoint", fraction(level));
}

void WMeter::onGetStatusTimerTimeout()
{
    requestStatus(*this);
}

std::optional<int> WMeter::rateInterval(const QString &rate)
{
    static const QHash<QString, int> intervals = {
        {QStringLiteral("1x/s"), 1000}, {QStringLiteral("2x/s"), 500},
        {QStringLiteral("3x/s"), 333},  {QStringLiteral("4x/s"), 250},
        {QStringLiteral("5x/s"), 200},
    };
    const auto found = intervals.constFind(rate);
    if (found == intervals.cend())
        return std::nullopt;
    return *found;
}

double WMeter::sourceOffset(const HNode *node)
{
    const bool output = node && node->title().startsWith(QLatin1String("Output ")) &&
                        node->typenum() == QLatin1String("2");
    return output ? OutputOffset : 0.0;
}

std::optional<double> WMeter::deviceLevel(const WWidget &widget)
{
    TTransform *transform = widget.transform();
    if (!transform)
        return std::nullopt;
    // When no reading fits the channel the protocol hands over the whole reply line, which
    // would otherwise read as 0 dB, a full-scale level.
    bool number = false;
    const double text = transform->replyText().toDouble(&number);
    if (!number || !std::isfinite(text))
        return std::nullopt;
    float reading = 0.0f;
    transform->reply(&reading);
    return double(reading) + sourceOffset(widget.node());
}

QString WMeter::channelCaption(const HNode *node, const TTransform *transform)
{
    if (!transform)
        return QString();
    if (const auto *dante = qobject_cast<const HDante *>(node))
        return dante->channelLabels().value(transform->channelIndex());
    if (const auto *link = qobject_cast<const HNVALink *>(node)) {
        const QString channel = transform->channelName().section(QLatin1Char('-'), 1, 1);
        return link->channelIndex(channel) >= 0 ? channel : QString();
    }
    return QString();
}

void WMeter::configureMeter(WWidget &widget, const CAttributes *range)
{
    if (range && widget.node() && widget.transform())
        widget.transform()->setChannelIndex(range->cardPin(widget.node()));
    widget.refresh();
    // A meter built while its device is already online hears no online report.
    if (widget.protocol() && widget.protocol()->isOnline())
        widget.onOnlineStateChanged(true);
}

void WMeter::refreshChannel(WWidget &widget, const QString &channelName, int indexOffset)
{
    TTransform *transform = widget.transform();
    if (!transform)
        return;
    if (!channelName.isEmpty())
        transform->setChannelName(channelName);
    transform->setIndexOffset(indexOffset);
    // The node may have been unknown when the caption was read.
    const HNode *node = widget.node();
    QString caption = widget.text();
    if (node && caption.contains(LabelMarker))
        widget.setText(caption.replace(LabelMarker, node->label()));
    const QString channel = channelCaption(node, transform);
    if (!channel.isEmpty())
        widget.setText(channel);
}

void WMeter::requestStatus(WWidget &meter)
{
    // A meter on a panel not shown asks nothing: its readings would redraw what nobody sees.
    if (!meter.itemProperty("visible").toBool())
        return;
    PProtocol *protocol = meter.protocol();
    TTransform *transform = meter.transform();
    if (protocol && transform && transform->statusEnabled())
        protocol->requestMeterStatus(transform);
}

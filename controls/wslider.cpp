#include "controls/wslider.h"

#include "canvas/ccontrol.h"
#include "comm/pvxbprotocol.h"
#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "hardware/hnvalink.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstring>

namespace {
constexpr int SendDelayMs = 20;
constexpr quint32 NoValueBits = 0x006CE3EE;
constexpr float NoPending = -99999.0f;
// Below this a record's step is taken for a missing one.
constexpr float SmallestStep = 0.02f;

const QString LabelMarker = QStringLiteral("*LABEL*");
const QString TitleMarker = QStringLiteral("*TITLE*");

// What the protocol hands over when an acknowledgement came instead of a value: it carries no
// level, and decoding it would move the fader to 0 dB (or to the bottom, for a group).
bool isAcknowledgementOnly(const TTransform &transform)
{
    return transform.replyText() == PVXBProtocol::SyncError;
}

float noValue()
{
    float value;
    std::memcpy(&value, &NoValueBits, sizeof value);
    return value;
}
} // namespace

WSlider::WSlider(QQuickItem *parent)
    : WWidget(parent)
    , m_currentValue(noValue())
    , m_pendingValue(NoPending)
{
    m_sendDelayTimer.setSingleShot(true);
    m_sendDelayTimer.setInterval(SendDelayMs);
    connect(&m_sendDelayTimer, &QTimer::timeout, this, &WSlider::onSendDelayTimerTimeout);
}

WSlider::~WSlider() = default;

void WSlider::configure(const CAttributes *range)
{
    if (!quickItem() || !range)
        return;
    m_step = range->step() < SmallestStep ? 1.0f : range->step();
    m_lowerLimit = range->minimum();
    m_upperLimit = range->maximum();
    if (!m_initialized)
        updateCaption();
    setReady(false);
    m_minimum = range->minimum() / m_step;
    m_maximum = range->maximum() / m_step;
    const float steps = m_currentValue / m_step;
    if (steps < m_minimum || steps > m_maximum)
        m_currentValue = m_maximum * m_step;
    if (!m_initialized) {
        setItemProperty("value", m_currentValue / m_step);
        m_initialized = true;
    }
    setReady(true);
    if (range->units() == QLatin1String("pct"))
        setPercent(true);
    showRange();
}

void WSlider::refresh()
{
    if (peer() && transform() && m_step > 0.0f) {
        transform()->setValue(m_currentValue);
        showDisplayValue(m_currentValue / m_step);
        peer()->linkValue(this);
    }
    updateCaption();
}

bool WSlider::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("orient"), QStringLiteral("vertical"));
    writer.writeText(QStringLiteral("knobcolor"), itemColorName("knobColor"));
    if (m_rotation != 0.0f)
        writer.writeDouble(QStringLiteral("rotation"), m_rotation);
    writer.writeEndElement();
    return true;
}

bool WSlider::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    if (name == QLatin1String("orient"))
        return true; // the rotation decides the orientation
    if (name == QLatin1String("knobcolor")) {
        setItemColor("knobColor", value);
        return true;
    }
    if (name == QLatin1String("rotation")) {
        bool ok = false;
        const int degrees = value.toInt(&ok);
        m_rotation = ok ? float(degrees) : 0.0f;
        setItemProperty("rotation", m_rotation);
        if (owner())
            owner()->setRotated(degrees == 90);
        return true;
    }
    return false;
}

void WSlider::updateFromDevice()
{
    if (!transform() || m_step <= 0.0f || isAcknowledgementOnly(*transform()))
        return;
    // The user's value waiting out its send delay wins: the device reports it once it is sent.
    if (hasPendingValue())
        return;
    float reply = 0.0f;
    transform()->reply(&reply);
    const float steps = qBound(m_minimum, reply / m_step, m_maximum);
    const float value = steps * m_step;
    // Polls repeat the device's value; only a change reaches the item and the peer.
    if (value == m_currentValue)
        return;
    // Taken before the item moves, so that a user value equal to it later is not dropped.
    m_currentValue = value;
    showDisplayValue(steps);
    setReady(false);
    if (protocol() && protocol()->isSubscribed())
        m_isSendNeeded = false;
    setItemProperty("value", steps);
    if (peer())
        peer()->linkValue(this);
    setReady(true);
}

void WSlider::setNode(HNode *node)
{
    WWidget::setNode(node);
    const bool toneEq = node && (node->title() == QLatin1String("Tone EQ") ||
                                 node->title() == QLatin1String("ToneEQ"));
    if (toneEq == m_isToneEqControl)
        return;
    m_isToneEqControl = toneEq;
    emit isToneEqControlChanged();
}

void WSlider::showProperties() {}

void WSlider::linkValue(WWidget *source)
{
    if (source == this || !transform() || m_step <= 0.0f)
        return;
    float value = 0.0f;
    transform()->value(&value);
    if (value == m_currentValue)
        return;
    setUpdating(true);
    setItemProperty("value", value / m_step);
    setUpdating(false);
    m_currentValue = value;
    // The chain ends when it comes back to the source.
    if (peer())
        peer()->linkValue(source);
}

bool WSlider::setMinimumText(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok || m_step <= 0.0f || value < m_lowerLimit || value > m_upperLimit)
        return false;
    m_minimum = value / m_step;
    setRecord(QStringLiteral("minimum"), text);
    if (value > m_currentValue) {
        m_currentValue = m_maximum * m_step;
        showCurrentValue();
    }
    showRange();
    refresh();
    return true;
}

bool WSlider::setMaximumText(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok || m_step <= 0.0f || value < m_lowerLimit || value > m_upperLimit)
        return false;
    m_maximum = value / m_step;
    setRecord(QStringLiteral("maximum"), text);
    const float steps = m_currentValue / m_step;
    if (steps < m_minimum || steps > m_maximum)
        m_currentValue = m_maximum * m_step;
    showCurrentValue();
    showRange();
    refresh();
    return true;
}

void WSlider::setUnitsText(const QString &text)
{
    // The panel file stores the untranslated word.
    setPercent(text == QLatin1String("Percent"));
    refresh();
}

void WSlider::setPercent(bool percent)
{
    m_percent = percent;
    setRecord(QStringLiteral("units"), percent ? QStringLiteral("pct") : QString());
    // The transform reads its percent display from the units.
    if (transform())
        transform()->initialise();
}

bool WSlider::hasPendingValue() const
{
    return m_pendingValue != NoPending;
}

void WSlider::outputValue(int value)
{
    if (setPending(value) && !m_sendDelayTimer.isActive())
        m_sendDelayTimer.start();
}

void WSlider::setIsSendNeeded(bool state)
{
    m_isSendNeeded = state;
}

void WSlider::onSendDelayTimerTimeout()
{
    commitPending(m_isSendNeeded);
}

bool WSlider::setPending(int value)
{
    const float pending = float(value) * m_step;
    // Back where it started before the delay ran out: nothing is to go out.
    if (pending == m_currentValue) {
        m_pendingValue = NoPending;
        return false;
    }
    m_pendingValue = pending;
    m_pendingSteps = value;
    return true;
}

void WSlider::commitPending(bool send)
{
    if (m_pendingValue == NoPending)
        return;
    if (!isUpdating()) {
        m_currentValue = m_pendingValue;
        if (canSend()) {
            showDisplayValue(float(m_pendingSteps));
            if (send)
                sendToDevice(m_pendingValue);
            else
                transform()->setValue(m_pendingValue);
        }
    }
    m_pendingValue = NoPending;
}

void WSlider::showDisplayValue(float steps)
{
    if (transform())
        transform()->setDisplayValue(m_percent ? percentOf(steps) : steps * m_step);
}

float WSlider::percentOf(float steps) const
{
    const float span = m_maximum - m_minimum;
    return span == 0.0f ? 0.0f : (steps - m_minimum) * 100.0f / span;
}

QString WSlider::captionText(const QString &text) const
{
    // Tested with contains: a label's text may carry its face's tags around the placeholder.
    QString caption = text;
    if (caption.contains(LabelMarker)) {
        const HNode *node = linkedNode();
        caption.replace(LabelMarker, node ? node->label() : QString());
    }
    if (caption.contains(TitleMarker)) {
        const QString title = titleCaption();
        if (!title.isNull())
            caption.replace(TitleMarker, title);
    }
    return caption;
}

void WSlider::updateCaption()
{
    if (!owner())
        return;
    for (WWidget *widget : owner()->widgets()) {
        if (!widget->isType(QStringLiteral("label")))
            continue;
        const QString text = widget->text();
        const QString caption = captionText(text);
        if (caption != text)
            widget->setText(caption);
        return;
    }
}

// Null when the placeholder is to stay.
QString WSlider::titleCaption() const
{
    const HNode *node = linkedNode();
    if (!node)
        return owner() ? owner()->name() : QString();
    const QString title = node->title();
    if (!title.startsWith(QLatin1String("NVALink")) &&
        !title.startsWith(QLatin1String("CordaLink")))
        return QString();
    const auto *link = qobject_cast<const HNVALink *>(node);
    if (!link || !owner())
        return QString();
    const QStringList words =
        owner()->name().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const int channel = words.value(1).toInt();
    if (channel < 1 || channel > link->channelNames().size())
        return QString();
    return link->channelNames().at(channel - 1);
}

// Stored properties are read before the widget itself is linked; the control knows its node.
HNode *WSlider::linkedNode() const
{
    if (node())
        return node();
    return owner() ? owner()->node() : nullptr;
}

void WSlider::setRecord(const QString &name, const QString &value)
{
    if (owner())
        owner()->attributes().setAttribute(QStringLiteral("Property"), name, value);
}

void WSlider::showCurrentValue()
{
    setReady(false);
    setItemProperty("value", m_currentValue / m_step);
    setReady(true);
}

void WSlider::showRange()
{
    setItemProperty("maximumValue", m_maximum);
    setItemProperty("minimumValue", m_minimum);
    // A symmetric range is drawn from the centre.
    setItemProperty("bipolar", -m_maximum == m_minimum);
}

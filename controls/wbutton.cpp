#include "controls/wbutton.h"

#include "canvas/ccanvas.h"
#include "canvas/ccontrol.h"
#include "controls/wimage.h"
#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "model/mmodel.h"
#include "util/logcategories.h"

#include <QUrl>

#include <array>

namespace {

constexpr int PulseMs = 200;
constexpr int GuardMs = 1000;

const std::array<QLatin1String, 8> ActionNames = {
    QLatin1String("alternating"),   QLatin1String("sequence"),
    QLatin1String("sendOthenF"),    QLatin1String("toggle"),
    QLatin1String("pulse"),         QLatin1String("none"),
    QLatin1String("showSetupMenu"), QLatin1String("showConnectionStatus")};

const std::array<QLatin1String, 8> ButtonTypeNames = {
    QLatin1String("mute"),       QLatin1String("logicChannel"),       QLatin1String("logicSet"),
    QLatin1String("logicReset"), QLatin1String("virtualGPI"),         QLatin1String("virtualGPO"),
    QLatin1String("setup"),      QLatin1String("connectionIndicator")};

struct SkinImage
{
    QLatin1String name;
    // Where the image lives: 0 the common images, 1 the skin's folder, 2 the accent's.
    int folder;
    QLatin1String file;
};

// Checked in this order: "green_led_off" must win over "led_off", "reset_all" over "set_all".
const std::array<SkinImage, 12> SkinImages = {{
    {QLatin1String("mute_on"), 2, QLatin1String("mute_on.png")},
    {QLatin1String("mute_off"), 1, QLatin1String("mute_off.png")},
    {QLatin1String("green_led_off"), 0, QLatin1String("ledOffGreen.png")},
    {QLatin1String("led_off"), 0, QLatin1String("ledOffRed.png")},
    {QLatin1String("led_on"), 0, QLatin1String("ledOn.png")},
    {QLatin1String("red_led"), 0, QLatin1String("ledRed.png")},
    {QLatin1String("reset_all"), 1, QLatin1String("resetAll.png")},
    {QLatin1String("set_all"), 1, QLatin1String("setAll.png")},
    {QLatin1String("setup_button"), 1, QLatin1String("menu.png")},
    {QLatin1String("connection_indicator_off"), 1, QLatin1String("indicator_red.png")},
    {QLatin1String("connection_indicator_partial"), 1, QLatin1String("indicator_ylw.png")},
    {QLatin1String("connection_indicator_on"), 1, QLatin1String("indicator_grn.png")},
}};

// Relative paths in the documents are taken from the control documents' folder.
const QUrl DocumentFolder(QStringLiteral("qrc:/qmlcontrol/"));

template<size_t N>
int indexOfName(const std::array<QLatin1String, N> &names, const QString &text)
{
    for (size_t i = 0; i < N; ++i) {
        if (names[i] == text)
            return int(i);
    }
    return -1;
}

} // namespace

WButton::WButton(QQuickItem *parent)
    : WWidget(parent)
{
    m_pulseTimer.setSingleShot(true);
    m_pulseTimer.setInterval(PulseMs);
    connect(&m_pulseTimer, &QTimer::timeout, this, &WButton::onPulseTimerTimeout);
    m_guardTimer.setSingleShot(true);
    m_guardTimer.setInterval(GuardMs);
}

WButton::~WButton() = default;

QString WButton::skinImagePath(const QString &stored, const QString &skin, const QString &accent)
{
    for (const SkinImage &image : SkinImages) {
        if (!stored.contains(image.name))
            continue;
        switch (image.folder) {
        case 1:
            return QStringLiteral("../images/skins/") + skin + QLatin1Char('/') + image.file;
        case 2:
            return QStringLiteral("../images/skins/Accent/") + accent + QLatin1Char('/') +
                   image.file;
        default:
            return QStringLiteral("../images/") + image.file;
        }
    }
    return QString();
}

QString WButton::resolveImage(const QString &stored) const
{
    const CCanvas *canvas = owner() && owner()->model() ? owner()->model()->canvas() : nullptr;
    const QString skinImage =
        skinImagePath(stored, canvas ? canvas->skin() : QStringLiteral("Light"),
                      canvas ? canvas->accent() : QStringLiteral("Blue"));
    if (!skinImage.isEmpty())
        return DocumentFolder.resolved(QUrl(skinImage)).toString();
    return WImage::localImage(stored);
}

HNode *WButton::linkedNode() const
{
    if (node())
        return node();
    return owner() ? owner()->node() : nullptr;
}

bool WButton::processProperty(const QString &name, const QString &value)
{
    // A button's title goes to both of its texts, not to the plain text the base writes.
    if (name != QLatin1String("title") && WWidget::processProperty(name, value))
        return true;
    return processButtonProperty(name, value);
}

bool WButton::processButtonProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("action")) {
        setAction(value);
    } else if (name == QLatin1String("buttonType")) {
        setButtonType(value);
    } else if (name == QLatin1String("title")) {
        setTitle(value);
    } else if (name == QLatin1String("channel")) {
        m_channel = value;
    } else if (name == QLatin1String("ontext") || name == QLatin1String("offtext")) {
        setItemProperty(name == QLatin1String("ontext") ? "onText" : "offText", value);
        setItemProperty("hasText", true);
    } else if (name == QLatin1String("partialText")) {
        setItemProperty("partialText", value);
        setItemProperty("hasText", true);
    } else if (name == QLatin1String("onimage")) {
        m_onImage = value;
        setItemProperty("onImage", resolveImage(value));
        setItemProperty("hasImage", true);
    } else if (name == QLatin1String("offimage")) {
        m_offImage = value;
        setItemProperty("offImage", resolveImage(value));
        setItemProperty("hasImage", true);
    } else if (name == QLatin1String("partialImage")) {
        m_partialImage = value;
        setItemProperty("partialImage", resolveImage(value));
        setItemProperty("hasImage", true);
    } else if (name == QLatin1String("imageSet")) {
        m_imageSet = value;
    } else if (name == QLatin1String("imagesize")) {
        setItemProperty("imageSize", value.toDouble());
    } else if (name == QLatin1String("hasBorder")) {
        setItemProperty("hasBorder", value.toInt());
    } else if (name == QLatin1String("index1ForQuery")) {
        m_queryIndex = value.toInt();
    } else {
        return false;
    }
    return true;
}

void WButton::setAction(const QString &text)
{
    const int code = indexOfName(ActionNames, text);
    if (code < 0) {
        setItemProperty("isSequence", false);
        setItemProperty("isSetupButton", false);
        return;
    }
    m_action = Action(code);
    setItemProperty("isSequence",
                    m_action == Action::Sequence || m_action == Action::SendOnThenOff);
    setItemProperty("isSetupButton", m_action == Action::ShowSetupMenu);
    setItemProperty("isTristateButton", m_action == Action::ShowConnectionStatus);
}

void WButton::setButtonType(const QString &text)
{
    m_buttonType = ButtonType(qMax(0, indexOfName(ButtonTypeNames, text)));
}

void WButton::takeLogicChannel()
{
    const HNode *linked = linkedNode();
    if (!linked)
        return;
    // A set or reset button drives the channel after the logic block's own one.
    if (m_buttonType == ButtonType::LogicSet)
        m_channel = QString::number(linked->orderNumber() + 1);
    else if (m_buttonType == ButtonType::LogicReset)
        m_channel = QString::number(linked->orderNumber() + 2);
}

void WButton::substituteTexts()
{
    setItemProperty("onText", substitute(itemProperty("onText").toString(), true));
    setItemProperty("offText", substitute(itemProperty("offText").toString(), false));
}

QString WButton::substitute(const QString &text, bool onText) const
{
    QString result = text;
    const HNode *linked = linkedNode();
    if (linked)
        result.replace(QLatin1String("*LABEL*"), linked->label());
    result.replace(QLatin1String("*Channel*"), QStringLiteral("Ch") + m_channel);
    if (!linked || !linked->title().startsWith(QLatin1String("AMM")) ||
        !result.startsWith(QLatin1String("Mic")))
        return result;
    const QStringList inputs = linked->inputLabels();
    const int channel = m_channel.toInt();
    if (channel < 1 || channel > inputs.size())
        return result;
    return (onText ? tr("%1 UNMUTE") : tr("%1 MUTE")).arg(inputs.at(channel - 1));
}

void WButton::setTitle(const QString &text)
{
    setText(text);
    setItemProperty("onText", text);
    setItemProperty("offText", text);
    setItemProperty("hasText", true);
}

bool WButton::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    saveButtonChildren(writer);
    writer.writeEndElement();
    return true;
}

void WButton::saveButtonChildren(XmlWriter &writer)
{
    if (itemProperty("hasText").toBool()) {
        writer.writeText(QStringLiteral("ontext"), itemProperty("onText").toString());
        writer.writeText(QStringLiteral("offtext"), itemProperty("offText").toString());
        const QString partial = itemProperty("partialText").toString();
        if (!partial.isEmpty())
            writer.writeText(QStringLiteral("partialText"), partial);
    }
    if (itemProperty("hasImage").toBool()) {
        writer.writeText(QStringLiteral("onimage"), m_onImage);
        writer.writeText(QStringLiteral("offimage"), m_offImage);
        if (!m_partialImage.isEmpty())
            writer.writeText(QStringLiteral("partialImage"), m_partialImage);
        writer.writeDouble(QStringLiteral("imagesize"), itemProperty("imageSize").toDouble());
    }
    writer.writeInt(QStringLiteral("hasBorder"), itemProperty("hasBorder").toInt());
    writer.writeText(QStringLiteral("action"), ActionNames[size_t(m_action)]);
    writer.writeText(QStringLiteral("buttonType"), ButtonTypeNames[size_t(m_buttonType)]);
    writer.writeText(QStringLiteral("channel"), m_channel);
    writer.writeText(QStringLiteral("imageSet"), m_imageSet);
    writer.writeInt(QStringLiteral("index1ForQuery"), m_queryIndex);
}

void WButton::configure(const CAttributes *range)
{
    // Not while reading: the file has the channel after the texts, and the node is linked
    // only once the whole control has been read.
    takeLogicChannel();
    substituteTexts();
    if (range) {
        applyChannelIndex();
        const QStringList values = range->set().split(QLatin1Char(','));
        m_toggleValue = int(values.indexOf(QLatin1String("T")));
        m_pulseValue = int(values.indexOf(QLatin1String("P")));
    }
    connectModel(true);
}

void WButton::applyChannelIndex()
{
    const bool logic = m_buttonType == ButtonType::LogicChannel ||
                       m_buttonType == ButtonType::LogicSet ||
                       m_buttonType == ButtonType::LogicReset;
    if (!logic || m_channel.isEmpty() || !transform())
        return;
    bool ok = false;
    int channel = m_channel.toInt(&ok);
    if (!ok) {
        qCWarning(lcControls).noquote()
            << "m_channel is not convertable to int. Value is: " + m_channel;
        channel = 0;
    }
    // The control's record is shared and read-only here; the transform's indices override it.
    transform()->setSetIndices(channel, -1);
    transform()->setQueryIndices(channel, -1, false);
    if (m_buttonType == ButtonType::LogicChannel)
        transform()->setQueryIndices(m_queryIndex, -1, true);
}

void WButton::connectModel(bool on)
{
    MModel *model = owner() ? owner()->model() : nullptr;
    if (!model || m_action != Action::ShowConnectionStatus)
        return;
    if (!on) {
        disconnect(model, &MModel::changedStatusIndicator, this,
                   &WButton::onChangedStatusIndicator);
        return;
    }
    connect(model, &MModel::changedStatusIndicator, this, &WButton::onChangedStatusIndicator,
            Qt::UniqueConnection);
    // The indicator may have settled before this panel was built.
    onChangedStatusIndicator();
}

void WButton::outputClicked(bool checked)
{
    qCDebug(lcControls).nospace() << "WButton::outputClicked: " << (checked ? "true" : "false")
                                  << " " << this;
}

void WButton::outputPressed()
{
    if (!canSend() || m_action == Action::None || m_action == Action::ShowSetupMenu ||
        m_action == Action::ShowConnectionStatus)
        return;
    // A value list without "T" or "P" has nothing to send for that action: a byte of 255 would
    // name an entry that does not exist, and a flipped look would disagree with the device.
    const int listValue = m_action == Action::Toggle  ? m_toggleValue
                          : m_action == Action::Pulse ? m_pulseValue
                                                      : 0;
    if (listValue < 0) {
        qCWarning(lcControls) << "WButton: no value to send for this action in" << this;
        return;
    }
    m_checkedBeforePress = m_checked;
    m_guardTimer.start();
    showChecked(m_action == Action::SendOnThenOff || !m_checked);
    if (m_action == Action::Toggle) {
        send(m_toggleValue);
    } else if (m_action == Action::Pulse) {
        if (!m_pulseTimer.isActive())
            m_pulseTimer.start();
        send(m_pulseValue);
    } else {
        m_lastSent = m_action == Action::SendOnThenOff ? 1 : int(m_checked);
        send(m_lastSent);
    }
}

void WButton::outputReleased()
{
    if (!quickItem())
        return;
    m_guardTimer.start();
    if (m_action == Action::Sequence) {
        showChecked(m_lastSent == 0);
        send(int(m_checked));
    } else if (m_action == Action::SendOnThenOff) {
        const bool keepOn = m_buttonType == ButtonType::LogicChannel && !m_checkedBeforePress;
        if (!keepOn)
            showChecked(false);
        send(0);
    }
}

void WButton::send(int value)
{
    sendToDevice(quint8(value));
}

void WButton::showChecked(bool checked)
{
    m_checked = checked;
    setItemProperty("checked", m_checked);
}

void WButton::updateFromDevice()
{
    if (!quickItem() || !transform() || m_guardTimer.isActive())
        return;
    setReady(false);
    showChecked(transform()->reply(static_cast<quint8 *>(nullptr)) != 0);
    setReady(true);
}

void WButton::onPulseTimerTimeout()
{
    showChecked(!m_checked);
}

void WButton::onChangedStatusIndicator()
{
    const QString image = MModel::connectionIndicator();
    const bool online = image.contains(QLatin1String("grn"));
    const bool partial = !online && image.contains(QLatin1String("ylw"));
    setItemProperty("isPartialStateActive", partial);
    showChecked(online);
}

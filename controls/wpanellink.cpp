#include "controls/wpanellink.h"

#include "canvas/ccontrol.h"
#include "controls/wimage.h"
#include "formats/xmlwriter.h"
#include "model/mmodel.h"

namespace {
constexpr int JumpDelayMs = 5;
const QString ButtonMode = QStringLiteral("Button");
} // namespace

WPanelLink::WPanelLink(QQuickItem *parent)
    : WLabel(parent)
{
    m_jumpTimer.setSingleShot(true);
    m_jumpTimer.setInterval(JumpDelayMs);
    connect(&m_jumpTimer, &QTimer::timeout, this, &WPanelLink::onJumpTimerTimeout);
}

WPanelLink::~WPanelLink() = default;

void WPanelLink::destroy()
{
    m_jumpTimer.stop();
}

bool WPanelLink::processProperty(const QString &name, const QString &value)
{
    return WWidget::processProperty(name, value) || processLinkProperty(name, value) ||
           processLabelProperty(name, value);
}

bool WPanelLink::processLinkProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("keepImageInBounds")) {
        setItemProperty("keepImageInBounds", value == QLatin1String("true"));
    } else if (name == QLatin1String("path")) {
        m_path = value;
    } else if (name == QLatin1String("imagepath")) {
        setItemProperty("imagePath", value);
        setItemProperty("image", WImage::resolveImage(value));
    } else if (name == QLatin1String("imagevalid")) {
        // The panel file stores the untranslated word.
        setItemProperty("imageValid", value != QLatin1String("Text"));
    } else if (name == QLatin1String("buttonmode")) {
        setItemProperty("buttonMode", value == ButtonMode);
    } else if (name == QLatin1String("hasBorder")) {
        setItemProperty("hasBorder", value.toInt());
    } else {
        return false;
    }
    return true;
}

bool WPanelLink::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("text"), storedText());
    writer.writeText(QStringLiteral("path"), m_path);
    writer.writeText(QStringLiteral("image"), itemProperty("image").toString());
    writer.writeText(QStringLiteral("imagepath"), itemProperty("imagePath").toString());
    writer.writeText(QStringLiteral("imagevalid"), itemProperty("imageValid").toBool()
                                                       ? QStringLiteral("Image")
                                                       : QStringLiteral("Text"));
    writer.writeText(QStringLiteral("buttonmode"),
                     itemProperty("buttonMode").toBool() ? ButtonMode : QStringLiteral("Blank"));
    writer.writeInt(QStringLiteral("hasBorder"), itemProperty("hasBorder").toInt());
    writer.writeBool(QStringLiteral("keepImageInBounds"),
                     itemProperty("keepImageInBounds").toBool());
    writer.writeEndElement();
    return true;
}

void WPanelLink::selectPanel()
{
    m_jumpTimer.start();
}

void WPanelLink::onJumpTimerTimeout()
{
    if (owner() && owner()->model())
        owner()->model()->jumpToPanel(m_path);
}

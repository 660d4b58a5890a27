#include "controls/wcmdbutton.h"

#include "formats/xmlwriter.h"

#include <QUrl>

WCmdButton::WCmdButton(QQuickItem *parent)
    : WButton(parent)
{}

WCmdButton::~WCmdButton() = default;

bool WCmdButton::processProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("title")) {
        m_title = value;
        setTitle(value);
    } else if (name == QLatin1String("image")) {
        setImage("onImage", value);
        setImage("offImage", value);
    } else if (name == QLatin1String("onimage")) {
        m_onImage = value;
        setImage("onImage", value);
    } else if (name == QLatin1String("offimage")) {
        setImage("offImage", value);
    } else if (name == QLatin1String("imagesize")) {
        setItemProperty("imageSize", value.toDouble());
    } else if (name == QLatin1String("hasBorder")) {
        setItemProperty("hasBorder", value.toInt());
    } else if (name == QLatin1String("command")) {
        m_command = value;
    } else {
        return WWidget::processProperty(name, value);
    }
    return true;
}

void WCmdButton::setImage(const char *property, const QString &name)
{
    const QUrl image(QStringLiteral("../images/") + name + QStringLiteral(".png"));
    setItemProperty(property, QUrl(QStringLiteral("qrc:/qmlcontrol/")).resolved(image).toString());
    setItemProperty("hasImage", true);
}

bool WCmdButton::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("command"), m_command);
    writer.writeText(QStringLiteral("title"), m_title);
    writer.writeText(QStringLiteral("onimage"), m_onImage);
    writer.writeDouble(QStringLiteral("imagesize"), itemProperty("imageSize").toDouble());
    writer.writeInt(QStringLiteral("hasBorder"), itemProperty("hasBorder").toInt());
    writer.writeEndElement();
    return true;
}

void WCmdButton::outputPressed()
{
    if (peer())
        peer()->runCommand(m_command);
}

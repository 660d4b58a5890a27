#include "controls/wframe.h"

#include "formats/xmlwriter.h"

WFrame::WFrame(QQuickItem *parent)
    : WWidget(parent)
{}

WFrame::~WFrame() = default;

bool WFrame::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    // Every frame is a plain box.
    if (name == QLatin1String("shape") || name == QLatin1String("shadow"))
        return true;
    if (name == QLatin1String("fieldcolor"))
        setItemColor("fieldColor", value);
    else if (name == QLatin1String("bordercolor"))
        setItemColor("borderColor", value);
    else if (name == QLatin1String("borderwidth"))
        setItemProperty("borderWidth", value.toDouble());
    else if (name == QLatin1String("hasBorder"))
        setItemProperty("hasBorder", value.toInt());
    else
        return false;
    return true;
}

bool WFrame::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("shape"), QStringLiteral("box"));
    writer.writeText(QStringLiteral("shadow"), QStringLiteral("plain"));
    writer.writeText(QStringLiteral("fieldcolor"), itemColorName("fieldColor"));
    writer.writeText(QStringLiteral("bordercolor"), itemColorName("borderColor"));
    writer.writeDouble(QStringLiteral("borderwidth"), itemProperty("borderWidth").toDouble());
    writer.writeInt(QStringLiteral("hasBorder"), itemProperty("hasBorder").toInt());
    writer.writeEndElement();
    return true;
}

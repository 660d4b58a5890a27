#include "controls/wlevelbuttons.h"

#include "formats/xmlwriter.h"

#include <cmath>

WLevelButtons::WLevelButtons(QQuickItem *parent)
    : WSlider(parent)
{}

WLevelButtons::~WLevelButtons() = default;

bool WLevelButtons::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("knobcolor"), itemColorName("knobColor"));
    writer.writeText(QStringLiteral("text"), text());
    writer.writeBool(QStringLiteral("hasBorder"), itemProperty("hasBorder").toBool());
    writer.writeBool(QStringLiteral("isCircularEnabled"),
                     itemProperty("isCircularEnabled").toBool());
    writer.writeEndElement();
    return true;
}

bool WLevelButtons::processProperty(const QString &name, const QString &value)
{
    if (WSlider::processProperty(name, value))
        return true;
    if (name == QLatin1String("text"))
        setText(captionText(value));
    else if (name == QLatin1String("hasBorder") || name == QLatin1String("isCircularEnabled"))
        setItemProperty(name.toLatin1().constData(), value == QLatin1String("true"));
    else
        return false;
    return true;
}

void WLevelButtons::outputValue(int value)
{
    if (setPending(value) && !isSendDelayRunning())
        commitPending(true);
}

void WLevelButtons::showDisplayValue(float steps)
{
    WSlider::showDisplayValue(steps);
    const QString shown = isPercent()
                              ? QString::number(std::lround(percentOf(steps))) + QLatin1Char('%')
                              : QString::number(steps * step(), 'f', 1);
    setItemProperty("valueText", shown);
}

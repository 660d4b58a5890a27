#include "controls/wtextlink.h"

#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

namespace {
const QString ButtonMode = QStringLiteral("Button");
} // namespace

WTextLink::WTextLink(QQuickItem *parent)
    : WButton(parent)
{}

WTextLink::~WTextLink() = default;

void WTextLink::destroy()
{
    qCDebug(lcControls) << "WTextLink::destroy";
}

bool WTextLink::processProperty(const QString &name, const QString &value)
{
    return processLinkProperty(name, value) || WButton::processProperty(name, value);
}

bool WTextLink::processLinkProperty(const QString &name, const QString &value)
{
    const HNode *linked = linkedNode();
    if (name == QLatin1String("text")) {
        // "?" stands for the name of the entry the link recalls.
        setTitle(value == QLatin1String("?") && linked ? linked->label() : value);
    } else if (name == QLatin1String("index")) {
        if (linked)
            setEntryIndex(linked->id().toInt());
    } else if (name == QLatin1String("paramidx")) {
        setEntryIndex(value.toInt());
    } else if (name == QLatin1String("scale")) {
        setItemProperty("hasText", true);
        setItemProperty("hasImage", false);
    } else if (name == QLatin1String("buttonmode")) {
        setItemProperty("buttonMode", value == ButtonMode);
    } else {
        return false;
    }
    return true;
}

void WTextLink::setEntryIndex(int index)
{
    m_entryIndex = index;
    setItemProperty("index", index);
}

void WTextLink::setTitle(const QString &text)
{
    setText(text);
    setItemProperty("hasText", true);
}

bool WTextLink::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    if (itemProperty("hasText").toBool())
        writer.writeText(QStringLiteral("text"), text());
    writer.writeInt(QStringLiteral("paramidx"), m_entryIndex);
    saveButtonChildren(writer);
    writer.writeText(QStringLiteral("buttonmode"),
                     itemProperty("buttonMode").toBool() ? ButtonMode : QStringLiteral("Blank"));
    writer.writeEndElement();
    return true;
}

void WTextLink::outputClicked()
{
    sendToDevice(m_entryIndex);
}

void WTextLink::updateFromDevice()
{
    if (!quickItem() || !transform())
        return;
    setReady(false);
    m_currentEntry = transform()->reply(static_cast<int *>(nullptr));
    setItemProperty("current", m_currentEntry);
    setReady(true);
}

#include "controls/wactivecombo.h"

#include "formats/xmlwriter.h"
#include "hardware/hnode.h"

#include <cmath>

WActiveCombo::WActiveCombo(QQuickItem *parent)
    : WWidget(parent)
{}

WActiveCombo::~WActiveCombo() = default;

bool WActiveCombo::processProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("color")) {
        setItemColor("textColor", value);
    } else if (name == QLatin1String("bordercolor")) {
        setItemColor("borderColor", value);
    } else if (name == QLatin1String("borderwidth")) {
        setItemProperty("borderWidth", value.toDouble());
    } else if (name == QLatin1String("separator")) {
        m_separator = value;
        Q_EMIT separatorChanged();
    } else if (name == QLatin1String("sideMargins")) {
        bool ok = false;
        const int margins = value.toInt(&ok);
        m_sideMargins = ok ? margins : 0;
        Q_EMIT sideMarginsChanged();
    } else if (name == QLatin1String("scale")) {
        m_scale = value;
        bool ok = false;
        const double scale = value.toDouble(&ok);
        setItemProperty("textScale", ok && std::isfinite(scale) && scale > 0 ? scale : 1.0);
    } else if (name == QLatin1String("autosize")) {
        m_autosize = value;
        setItemProperty("autoSize", value == QLatin1String("true"));
    } else {
        return WWidget::processProperty(name, value);
    }
    return true;
}

bool WActiveCombo::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("color"), itemColorName("textColor"));
    writer.writeText(QStringLiteral("bordercolor"), itemColorName("borderColor"));
    writer.writeDouble(QStringLiteral("borderwidth"), itemProperty("borderWidth").toDouble());
    writer.writeText(QStringLiteral("separator"), m_separator);
    writer.writeInt(QStringLiteral("sideMargins"), m_sideMargins);
    writer.writeText(QStringLiteral("scale"), m_scale);
    writer.writeText(QStringLiteral("autosize"), m_autosize);
    writer.writeEndElement();
    return true;
}

void WActiveCombo::setNode(HNode *node)
{
    WWidget::setNode(node);
    if (!node)
        return;
    connect(node, &HNode::queryResponseReady, this, &WActiveCombo::onQueryResponseReady,
            Qt::UniqueConnection);
    // An unchanged reply tells nobody, so a panel shown again would wait for the next change.
    onQueryResponseReady();
}

void WActiveCombo::destroy()
{
    unlinkNode();
}

void WActiveCombo::onQueryResponseReady()
{
    if (node())
        setRoomNames(node()->combinedRoomNames());
}

void WActiveCombo::changeDummyList()
{
    setRoomNames({tr("Ballroom A"), tr("Ballroom B"), tr("Boardroom"), tr("Foyer")});
}

void WActiveCombo::setRoomNames(const QStringList &names)
{
    m_roomNames = names;
    m_count = int(names.size());
    const QString joined = names.join(QLatin1Char(','));
    if (joined == m_joinedNames)
        return;
    m_joinedNames = joined;
    Q_EMIT otherRoomNamesChanged();
}

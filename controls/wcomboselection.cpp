#include "controls/wcomboselection.h"

#include "formats/xmlwriter.h"
#include "hardware/hnode.h"

WComboSelection::WComboSelection(QQuickItem *parent)
    : WWidget(parent)
    , m_comboColors({QStringLiteral("crimson"), QStringLiteral("orange"), QStringLiteral("yellow"),
                     QStringLiteral("lime"), QStringLiteral("skyblue"), QStringLiteral("orchid"),
                     QStringLiteral("sienna")})
{}

WComboSelection::~WComboSelection() = default;

bool WComboSelection::processProperty(const QString &name, const QString &value)
{
    if (name != QLatin1String("sideMargins"))
        return WWidget::processProperty(name, value);
    bool ok = false;
    const int margins = value.toInt(&ok);
    m_sideMargins = ok ? margins : 0;
    Q_EMIT sideMarginsChanged();
    return true;
}

bool WComboSelection::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeInt(QStringLiteral("sideMargins"), m_sideMargins);
    writer.writeEndElement();
    return true;
}

void WComboSelection::setNode(HNode *node)
{
    WWidget::setNode(node);
    if (!node)
        return;
    connect(node, &HNode::updateComboColorList, this, &WComboSelection::onUpdateComboColorList,
            Qt::UniqueConnection);
    // An unchanged reply tells nobody, so a panel shown again would wait for the next change.
    onUpdateComboColorList();
}

void WComboSelection::destroy()
{
    unlinkNode();
}

void WComboSelection::onUpdateComboColorList()
{
    if (!node())
        return;
    const QStringList colors = node()->comboColors();
    // A user expects swatches to pick from: a node that knows no slots yet keeps the defaults.
    if (!colors.isEmpty() && colors != m_comboColors) {
        m_comboColors = colors;
        Q_EMIT comboColorsChanged();
    }
    const int selected = node()->selectedCombo();
    if (selected != m_selectedIndex) {
        m_selectedIndex = selected;
        Q_EMIT selectedIndexChanged();
    }
}

QString WComboSelection::getComboColor(int index) const
{
    return node() ? node()->comboColor(index) : QString();
}

void WComboSelection::selectorClicked(int index)
{
    if (!node())
        return;
    node()->selectCombo(index);
    m_selectedIndex = node()->selectedCombo();
    Q_EMIT selectedIndexChanged();
}

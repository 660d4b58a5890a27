#include "controls/wroomselection.h"

#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QQmlContext>
#include <QQmlEngine>

#include <cmath>

namespace {

const QString FailurePrefix = QStringLiteral("FAILURE::");

// An opacity that does not parse keeps the one before.
void readOpacity(const QString &text, double &opacity)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok && std::isfinite(value))
        opacity = qBound(0.0, value, 1.0);
}

} // namespace

WRoomSelection::WRoomSelection(QQuickItem *parent)
    : WPolygon(parent)
{}

WRoomSelection::~WRoomSelection() = default;

bool WRoomSelection::processProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("fieldcolor")) {
        // Kept for saving only: the fill shows the room's combination, black until it is known.
        m_storedFieldColor = value;
    } else if (name == QLatin1String("path")) {
        m_path = value;
    } else if (name == QLatin1String("selectedOpacity")) {
        readOpacity(value, m_selectedOpacity);
        Q_EMIT selectedOpacityChanged();
    } else if (name == QLatin1String("unselectedOpacity")) {
        readOpacity(value, m_unselectedOpacity);
        Q_EMIT unselectedOpacityChanged();
    } else {
        return WPolygon::processProperty(name, value);
    }
    return true;
}

bool WRoomSelection::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    savePolygonChildren(writer);
    writer.writeDouble(QStringLiteral("selectedOpacity"), m_selectedOpacity);
    writer.writeDouble(QStringLiteral("unselectedOpacity"), m_unselectedOpacity);
    writer.writeText(QStringLiteral("path"), m_path);
    writer.writeText(QStringLiteral("fieldcolor"), m_storedFieldColor);
    writer.writeEndElement();
    return true;
}

void WRoomSelection::setNode(HNode *node)
{
    WPolygon::setNode(node);
    if (!node)
        return;
    connect(node, &HNode::queryResponseReady, this, &WRoomSelection::onQueryResponseReady,
            Qt::UniqueConnection);
    connect(node, &HNode::updateRoomColor, this, &WRoomSelection::onUpdateRoomColor,
            Qt::UniqueConnection);
    connect(node, &HNode::sendMessage, this, &WRoomSelection::onSendMessage, Qt::UniqueConnection);
    connect(node, &HNode::showErrorDialog, this, &WRoomSelection::onShowErrorDialog,
            Qt::UniqueConnection);
    // An unchanged reply tells nobody, so a panel shown again would keep its rooms black.
    onQueryResponseReady();
}

void WRoomSelection::destroy()
{
    unlinkNode();
}

void WRoomSelection::onQueryResponseReady()
{
    if (node())
        onUpdateRoomColor(node()->roomColor(), node()->roomNumber());
}

void WRoomSelection::onUpdateRoomColor(const QString &color, int roomID)
{
    // The room node passes on only its own room's changes.
    Q_UNUSED(roomID);
    scheduleColor(QColor::fromString(color), 0, false);
    // For the document's own fill, where the scene-graph geometry is not drawn.
    setItemColor("fillColor", color);
    const bool selected =
        color != QLatin1String("lightgray") && color != QLatin1String("black") && !color.isEmpty();
    if (selected != m_isSelected) {
        m_isSelected = selected;
        Q_EMIT isSelectedChanged();
    }
}

void WRoomSelection::onSendMessage(const QString &message)
{
    if (!canSend()) {
        qCWarning(lcControls).noquote() << "WRoomSelection: cannot send" << message.simplified();
        return;
    }
    // Several commands travel joined by ";"; the protocol sends each on its own line.
    transform()->setValueText(message);
    protocol()->write(transform());
}

void WRoomSelection::onShowErrorDialog(const QString &message)
{
    const QString text =
        message.startsWith(FailurePrefix) ? message.mid(FailurePrefix.size()) : message;
    auto *box =
        new QMessageBox(QMessageBox::Warning, tr("Room Combine Failure"), text, QMessageBox::Ok);
    box->setObjectName(QStringLiteral("roomCombineFailure"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not exec(): replies and the other rooms keep being served while the box is up.
    box->open();
}

void WRoomSelection::pressedInside()
{
    if (node() && isConnected())
        node()->clickRoom();
}

bool WRoomSelection::isConnected() const
{
    const QQmlContext *context = qmlContext(quickItem() ? quickItem() : this);
    const QObject *intrf =
        context ? context->contextProperty(QStringLiteral("intrf")).value<QObject *>() : nullptr;
    if (!intrf)
        return true;
    // Only the file name: a skin folder's name may hold the letters too.
    const QString image = intrf->property("connectInd").toString();
    return !QFileInfo(image).fileName().contains(QLatin1String("red"));
}

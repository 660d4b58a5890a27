#include "hardware/hrcgroup.h"

#include "hardware/hchassis.h"
#include "hardware/hnodefactory.h"
#include "hardware/hrcgroupinfo.h"
#include "hardware/hrcroom.h"
#include "util/logcategories.h"

#include <QTime>

HRCGroup::HRCGroup()
{
    m_queryTimer.setSingleShot(true);
    m_queryTimer.setInterval(QueryIntervalMs);
}

QString HRCGroup::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "RCGroups"));
}

QString HRCGroup::platform() const
{
    return QStringLiteral("Veloxa");
}

QString HRCGroup::templatePath() const
{
    return QStringLiteral(":/data/Veloxa/RCGroup_0.xml");
}

bool HRCGroup::completeSetup()
{
    if (nodeNumber() < 1)
        setNodeNumber(groupNumber());
    return HComposite::completeSetup();
}

HChassis *HRCGroup::selectAttachChassis(HChassis *mainChassis, HChassis *) const
{
    return mainChassis;
}

HRCGroupInfo *HRCGroup::state() const
{
    auto *chassis = qobject_cast<HChassis *>(ancestorWithMarks(FlagChassis));
    return chassis ? chassis->roomCombining() : nullptr;
}

void HRCGroup::buildRooms()
{
    clearMarks(FlagPlaceholder);
    HRCGroupInfo *info = state();
    if (!info)
        return;
    const int group = groupNumber();
    info->setGroupName(group, label());
    const QList<int> rooms = info->groupRooms(group);
    if (rooms.isEmpty()) {
        qCWarning(lcHardware).noquote()
            << QStringLiteral("Room combining group %1 (%2) has no rooms.").arg(group).arg(label());
    }
    for (int number : rooms) {
        RoomInfo room;
        info->room(group, number, &room);
        for (int neighbour : room.neighbours) {
            if (!rooms.contains(neighbour)) {
                qCWarning(lcHardware).noquote()
                    << QStringLiteral("Room %1 (%2) of group %3 names neighbour %4, which the "
                                      "group does not have.")
                           .arg(number)
                           .arg(room.name)
                           .arg(group)
                           .arg(neighbour);
            }
        }
        const QString id = QString::number(number);
        auto *node = qobject_cast<HRCRoom *>(findByCategoryAndAttribute(
            QStringLiteral(QT_TRANSLATE_NOOP("HNode", "RCRooms")), QStringLiteral("id"), id));
        const bool made = !node;
        if (made)
            node = qobject_cast<HRCRoom *>(HNodeFactory::create(QStringLiteral("RCRoom"), {}));
        node->setLabel(QLatin1Char('[') +
                       (room.name.isEmpty() ? QStringLiteral("UNKNOWN") : room.name) +
                       QLatin1Char(']'));
        node->setMarks(FlagConfirmed);
        node->clearMarks(FlagPlaceholder);
        node->setId(id);
        node->setRoomID(number);
        node->setProtocol(protocol());
        node->setNodeNumber(room.nodeNumber);
        if (!made)
            continue;
        if (!addNode(node)) {
            delete node;
            continue;
        }
        connect(this, &HNode::queryResponseReady, node, &HNode::queryResponseReady);
        connect(node, &HNode::updateComboColorList, this, &HNode::updateComboColorList);
        connect(node, &HRCRoom::roomControlClicked, this, &HRCGroup::onRoomControlClicked,
                Qt::QueuedConnection);
        connect(this, &HNode::updateRoomColor, node, &HRCRoom::onUpdateRoomColor,
                Qt::QueuedConnection);
        connect(this, &HNode::sendMessage, node, &HRCRoom::onSendMessage, Qt::QueuedConnection);
        connect(this, &HNode::showErrorDialog, node, &HRCRoom::onShowErrorDialog,
                Qt::QueuedConnection);
    }
}

QString HRCGroup::roomColorFor(int roomID) const
{
    const HRCGroupInfo *info = state();
    return info ? info->roomColor(groupNumber(), roomID) : QStringLiteral("lightblue");
}

QStringList HRCGroup::combinedRoomNamesFor(int roomID) const
{
    const HRCGroupInfo *info = state();
    return info ? info->combinedRoomNames(groupNumber(), roomID) : QStringList();
}

QStringList HRCGroup::comboColors() const
{
    const HRCGroupInfo *info = state();
    return info ? info->comboColours(groupNumber()) : QStringList();
}

QString HRCGroup::comboColor(int index) const
{
    return comboColors().value(index);
}

void HRCGroup::selectCombo(int index)
{
    if (index >= 0 && index < comboColors().size())
        m_selectedCombo = index;
}

QString HRCGroup::queryText()
{
    m_queryTimer.start();
    return QStringLiteral("GRC %1\r").arg(id());
}

void HRCGroup::setReplyText(const QString &text)
{
    // The device is asked about once a second; an unchanged answer changes nothing.
    if (text == m_replyText) {
        qCDebug(lcHardware).noquote() << "GRC response unchanged:" << text.left(80);
        return;
    }
    qCDebug(lcHardware).noquote() << QTime::currentTime().toString(QStringLiteral("H:mm:ss.zzz"))
                                  << "GRC response:" << text.left(200);
    m_replyText = text;
    if (HRCGroupInfo *info = state())
        info->setCombos(text);
    emit queryResponseReady();
    emit updateComboColorList();
}

void HRCGroup::onRoomControlClicked(int roomID)
{
    HRCGroupInfo *info = state();
    if (!info)
        return;
    QString colour;
    const QString result = info->roomClicked(roomID, groupNumber(), m_selectedCombo, &colour);
    if (result.startsWith(HRCGroupInfo::failurePrefix())) {
        const QString message = result.mid(HRCGroupInfo::failurePrefix().size());
        qCWarning(lcHardware).noquote() << "Room Combine Failure:" << message;
        emit showErrorDialog(message, roomID);
        return;
    }
    if (!colour.isEmpty())
        emit updateRoomColor(colour, roomID);
    if (!result.isEmpty())
        emit sendMessage(result, roomID);
    // A click may also take another room out (a dissolved combo): every room looks again.
    emit queryResponseReady();
}

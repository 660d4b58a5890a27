#include "hardware/hrcgroupinfo.h"

#include "util/logcategories.h"

#include <QReadLocker>
#include <QRegularExpression>
#include <QSet>
#include <QWriteLocker>

#include <algorithm>
#include <functional>

namespace {

QString srcText(int group, int first, int second, QChar action)
{
    return QStringLiteral("SRC %1,%2,%3,%4\r").arg(group).arg(first).arg(second).arg(action);
}

QString joined(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QLatin1Char(';') + second;
}

} // namespace

QString HRCGroupInfo::noComboColour()
{
    return QStringLiteral("lightgray");
}

const QStringList &HRCGroupInfo::palette()
{
    static const QStringList colours = {QStringLiteral("crimson"), QStringLiteral("orange"),
                                        QStringLiteral("yellow"),  QStringLiteral("lime"),
                                        QStringLiteral("skyblue"), QStringLiteral("cyan"),
                                        QStringLiteral("orchid"),  QStringLiteral("sienna")};
    return colours;
}

QString HRCGroupInfo::failurePrefix()
{
    return QStringLiteral("FAILURE::");
}

QList<int> HRCGroupInfo::parseNeighbours(const QString &roomCombine, int room)
{
    const QChar open =
        roomCombine.startsWith(QLatin1Char('{')) ? QLatin1Char('{') : QLatin1Char('[');
    static const QRegularExpression pairSeparator(QStringLiteral("[|+]"));
    QList<int> neighbours;
    const auto add = [&neighbours](int number) {
        if (!neighbours.contains(number))
            neighbours.append(number);
    };
    for (QString part : roomCombine.split(open, Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.endsWith(QLatin1Char('}'))) {
            const QStringList pair = part.chopped(1).split(pairSeparator);
            bool okA = false;
            bool okB = false;
            const int a = pair.value(0).trimmed().toInt(&okA);
            const int b = pair.value(1).trimmed().toInt(&okB);
            if (pair.size() != 2 || !okA || !okB)
                continue;
            if (a == room)
                add(b);
            else if (b == room)
                add(a);
        } else if (part.endsWith(QLatin1Char(']'))) {
            for (const QString &piece : part.chopped(1).split(QLatin1Char(','))) {
                bool ok = false;
                const int number = piece.trimmed().toInt(&ok);
                if (ok && number != room)
                    add(number);
            }
        }
    }
    return neighbours;
}

QString HRCGroupInfo::comboText(const QList<int> &rooms)
{
    QStringList oneDigit;
    QStringList longer;
    for (int room : rooms)
        (room >= 0 && room <= 9 ? oneDigit : longer).append(QString::number(room));
    oneDigit.sort();
    longer.sort();
    return (oneDigit + longer).join(QLatin1Char(','));
}

HRCGroupInfo::HRCGroupInfo(QObject *parent)
    : QObject(parent)
{}

HRCGroupInfo::~HRCGroupInfo() = default;

QString HRCGroupInfo::key(int group, int room)
{
    return QStringLiteral("RK_%1_%2").arg(group).arg(room);
}

bool HRCGroupInfo::registerRoom(int group, const QString &name, const QString &roomName, int room,
                                int kind, int nodeNumber, const QString &roomCombine)
{
    QWriteLocker locker(&m_lock);
    const QString roomKey = key(group, room);
    if (m_rooms.contains(roomKey)) {
        qCWarning(lcHardware).noquote()
            << QStringLiteral(
                   "Room combining group %1 has room %2 twice: '%3' is ignored, '%4' kept.")
                   .arg(group)
                   .arg(room)
                   .arg(name, m_rooms.value(roomKey).name);
        return false;
    }
    RoomInfo &info = m_rooms[roomKey];
    info.name = name;
    info.roomName = roomName;
    info.group = group;
    info.room = room;
    info.kind = kind;
    info.nodeNumber = nodeNumber;
    info.neighbours = parseNeighbours(roomCombine, room);

    auto it = m_groups.find(group);
    if (it == m_groups.end()) {
        it = m_groups.insert(group, RCGroup());
        it->group = group;
    }
    if (!it->rooms.contains(room))
        it->rooms.append(room);
    // One slot for every two rooms, as far as the palette reaches.
    const auto slotCount = it->combos.size();
    if (it->rooms.size() >= 2 && it->rooms.size() / 2 > slotCount && slotCount < MaxComboSlots) {
        it->combos.append(RCCombo{group, {}});
        it->colours.append(palette().at(slotCount));
    }
    return true;
}

void HRCGroupInfo::setGroupName(int group, const QString &name)
{
    QWriteLocker locker(&m_lock);
    if (auto it = m_groups.find(group); it != m_groups.end())
        it->name = name;
}

RoomInfo *HRCGroupInfo::findRoom(int group, int room)
{
    auto it = m_rooms.find(key(group, room));
    return it == m_rooms.end() ? nullptr : &*it;
}

QString HRCGroupInfo::roomClicked(int roomNumber, int groupNumber, int selectedCombo,
                                  QString *colour)
{
    QWriteLocker locker(&m_lock);
    RoomInfo *room = findRoom(groupNumber, roomNumber);
    auto group = m_groups.find(groupNumber);
    if (!room || group == m_groups.end()) {
        qCWarning(lcHardware) << "Room" << roomNumber << "of group" << groupNumber
                              << "is not in the project; the click is ignored.";
        return {};
    }
    if (selectedCombo < 0 || selectedCombo >= group->combos.size()) {
        qCWarning(lcHardware) << "Group" << groupNumber << "has no combo" << selectedCombo
                              << "; the click is ignored.";
        return {};
    }
    qCDebug(lcHardware).noquote() << QStringLiteral("Group %1 room %2 (%3) clicked.")
                                         .arg(groupNumber)
                                         .arg(roomNumber)
                                         .arg(room->name);
    qCDebug(lcHardware).noquote() << "  currently in combo" << room->combo;

    QString command;
    if (room->combo != selectedCombo) {
        // A room that cannot join stays where it is.
        const QString join = joinText(*group, *room, selectedCombo);
        if (join.startsWith(failurePrefix()))
            return join;
        QString split;
        if (room->combo >= 0) {
            qCDebug(lcHardware) << "  removing from combo" << room->combo;
            split = leaveCombo(*group, *room);
        }
        qCDebug(lcHardware) << "  adding to combo" << selectedCombo;
        group->combos[selectedCombo].rooms.append(roomNumber);
        room->combo = selectedCombo;
        command = joined(split, join);
        *colour = group->colours.at(selectedCombo);
    } else {
        qCDebug(lcHardware) << "  removing from combo" << selectedCombo;
        command = leaveCombo(*group, *room);
        *colour = noComboColour();
    }

    if (room->kind == CombinerRoom) {
        qCDebug(lcHardware).noquote() << "command generated by click =" << command;
        const QString whole = wholeStateText(*group);
        qCDebug(lcHardware).noquote() << "whole-state command =        " << whole;
        if (!command.isEmpty() && !whole.endsWith(QLatin1String(",\r")))
            command = whole;
    }
    return command;
}

QString HRCGroupInfo::joinText(const RCGroup &group, const RoomInfo &room, int slot) const
{
    const RCCombo &combo = group.combos.at(slot);
    if (combo.rooms.isEmpty() || combo.rooms.contains(room.room))
        return {};
    if (room.kind == CombinerRoom)
        return srcText(group.group, combo.rooms.first(), room.room, QLatin1Char('J'));
    QString text;
    for (int neighbour : room.neighbours) {
        if (combo.rooms.contains(neighbour))
            text = joined(text, srcText(group.group, neighbour, room.room, QLatin1Char('J')));
    }
    if (text.isEmpty()) {
        return failurePrefix() + tr("Cannot add '%1' to the selected combination.").arg(room.name);
    }
    return text;
}

QString HRCGroupInfo::leaveCombo(RCGroup &group, RoomInfo &room)
{
    RCCombo &combo = group.combos[room.combo];
    combo.rooms.removeAll(room.room);
    room.combo = -1;
    if (combo.rooms.isEmpty())
        return {};
    // A router room splits from a neighbour it was joined to where it has one.
    int partner = combo.rooms.first();
    for (int neighbour : room.neighbours) {
        if (room.kind == RouterRoom && combo.rooms.contains(neighbour)) {
            partner = neighbour;
            break;
        }
    }
    const QString text = srcText(group.group, partner, room.room, QLatin1Char('S'));
    if (combo.rooms.size() == 1) {
        // A single room is no combination: the device dissolves it.
        if (RoomInfo *last = findRoom(group.group, combo.rooms.first()))
            last->combo = -1;
        combo.rooms.clear();
    }
    return text;
}

QString HRCGroupInfo::wholeStateText(const RCGroup &group) const
{
    QString text = QStringLiteral("SRC %1,").arg(group.group);
    for (const RCCombo &combo : group.combos) {
        if (combo.rooms.size() >= 2)
            text += QLatin1Char('[') + comboText(combo.rooms) + QLatin1Char(']');
    }
    return text + QLatin1Char('\r');
}

QString HRCGroupInfo::roomColor(int group, int room) const
{
    QReadLocker locker(&m_lock);
    const auto info = m_rooms.constFind(key(group, room));
    const auto rcGroup = m_groups.constFind(group);
    if (info == m_rooms.cend() || rcGroup == m_groups.cend() || info->combo < 0 ||
        info->combo >= rcGroup->colours.size())
        return noComboColour();
    return rcGroup->colours.at(info->combo);
}

int HRCGroupInfo::setCombos(const QString &reply)
{
    QString text = reply;
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QStringList parts = text.split(QLatin1Char('['));
    QString head = parts.first();
    if (head.endsWith(QLatin1Char(',')))
        head.chop(1);
    const QStringList words = head.split(QLatin1Char(' '));
    bool ok = false;
    const int groupNumber = words.size() == 2 ? words.at(1).toInt(&ok) : 0;
    QWriteLocker locker(&m_lock);
    auto group = m_groups.find(groupNumber);
    if (!ok || groupNumber <= 0 || group == m_groups.end())
        return 0;

    // A room belongs to one combo; numbers the group does not have are dropped.
    QList<QList<int>> combos;
    QSet<int> placed;
    int unknown = 0;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QString part = parts.at(i).trimmed();
        if (part.endsWith(QLatin1Char(']')))
            part.chop(1);
        QList<int> rooms;
        for (const QString &piece : part.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int room = piece.trimmed().toInt();
            if (!group->rooms.contains(room))
                ++unknown;
            else if (!placed.contains(room))
                rooms.append(room);
            placed.insert(room);
        }
        if (!rooms.isEmpty())
            combos.append(rooms);
    }
    if (unknown > 0) {
        qCWarning(lcHardware) << "GRC reply for group" << groupNumber << "names" << unknown
                              << "rooms the project does not have; they are ignored.";
    }
    if (combos.size() > group->combos.size()) {
        qCDebug(lcHardware) << "RCGroup::setCombos: Combo count mismatch; too many new combos"
                            << combos.size() << group->combos.size();
    }
    placeCombos(*group, combos);
    return groupNumber;
}

void HRCGroupInfo::placeCombos(RCGroup &group, const QList<QList<int>> &combos)
{
    // Each combo keeps its colour where it can: the slot of its first room, else a slot that
    // was empty, else one that held a single room, else any slot still free.
    QList<int> previousSize;
    QMap<int, int> previousSlot;
    for (qsizetype slot = 0; slot < group.combos.size(); ++slot) {
        previousSize.append(int(group.combos.at(slot).rooms.size()));
        for (int room : group.combos.at(slot).rooms)
            previousSlot.insert(room, int(slot));
        group.combos[slot].rooms.clear();
    }
    for (int room : group.rooms) {
        if (RoomInfo *info = findRoom(group.group, room))
            info->combo = -1;
    }
    QList<bool> taken(group.combos.size(), false);
    const auto freeSlot = [&](const std::function<bool(int)> &wanted) {
        for (int slot = 0; slot < taken.size(); ++slot) {
            if (!taken.at(slot) && wanted(slot))
                return slot;
        }
        return -1;
    };
    for (const QList<int> &rooms : combos) {
        const int own = previousSlot.value(rooms.first(), -1);
        int slot = own >= 0 && !taken.at(own) ? own : -1;
        if (slot < 0)
            slot = freeSlot([&](int s) { return previousSize.at(s) == 0; });
        if (slot < 0)
            slot = freeSlot([&](int s) { return previousSize.at(s) == 1; });
        if (slot < 0)
            slot = freeSlot([](int) { return true; });
        if (slot < 0)
            break;
        taken[slot] = true;
        group.combos[slot].rooms = rooms;
        for (int room : rooms) {
            if (RoomInfo *info = findRoom(group.group, room))
                info->combo = slot;
        }
    }
}

void HRCGroupInfo::clear()
{
    QWriteLocker locker(&m_lock);
    m_rooms.clear();
    m_groups.clear();
}

QList<int> HRCGroupInfo::groupRooms(int group) const
{
    QReadLocker locker(&m_lock);
    QList<int> rooms = m_groups.value(group).rooms;
    std::sort(rooms.begin(), rooms.end());
    return rooms;
}

bool HRCGroupInfo::room(int group, int room, RoomInfo *info) const
{
    QReadLocker locker(&m_lock);
    const auto it = m_rooms.constFind(key(group, room));
    if (it == m_rooms.cend())
        return false;
    *info = *it;
    return true;
}

QStringList HRCGroupInfo::comboColours(int group) const
{
    QReadLocker locker(&m_lock);
    return m_groups.value(group).colours;
}

QStringList HRCGroupInfo::combinedRoomNames(int group, int room) const
{
    QReadLocker locker(&m_lock);
    const RoomInfo info = m_rooms.value(key(group, room));
    const auto rcGroup = m_groups.constFind(group);
    if (info.combo < 0 || rcGroup == m_groups.cend() || info.combo >= rcGroup->combos.size())
        return {};
    QStringList names;
    for (int other : rcGroup->combos.at(info.combo).rooms) {
        if (other == room)
            continue;
        const RoomInfo otherInfo = m_rooms.value(key(group, other));
        names.append(otherInfo.roomName.isEmpty() ? otherInfo.name : otherInfo.roomName);
    }
    return names;
}

#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

// One room of a room-combining group.
struct RoomInfo
{
    QString name;     // the block's label, "-", the room name
    QString roomName; // the designer's room name alone, for display
    int group = 0;
    int room = 0;
    int combo = -1; // the combo slot the room is in; -1 for none
    int kind = 1;   // HRCGroupInfo::RouterRoom or HRCGroupInfo::CombinerRoom
    QList<int> neighbours;
    int nodeNumber = 0;
};

// One combo slot of a group: its rooms in the order they joined.
struct RCCombo
{
    int group = 0;
    QList<int> rooms;
};

// One room-combining group: its rooms, in the order they registered, and its combo slots, each
// with its palette colour.
struct RCGroup
{
    QString name = QStringLiteral("NOT_NAMED");
    int group = 0;
    QList<int> rooms;
    QList<RCCombo> combos;
    QStringList colours;
};

// The room-combining state of one chassis: which rooms its combiner and router blocks serve,
// which combo each room is in, and the device texts that change or report it.
//
// The lock guards combo membership: the protocol's reply path and the widgets read it.
class HRCGroupInfo : public QObject
{
    Q_OBJECT

public:
    enum RoomKind { RouterRoom = 0, CombinerRoom = 1 };
    static constexpr int MaxComboSlots = 8;

    // "lightgray": a room in no combo.
    static QString noComboColour();
    // The colours of the combo slots, in slot order.
    static const QStringList &palette();
    // The result of a click that must not go to the device begins with this.
    static QString failurePrefix();
    // The rooms a room may join, from its block's "roomCombine" text ("{1|2}{2+3}" pairs or
    // "[1,2,3]" lists).
    static QList<int> parseNeighbours(const QString &roomCombine, int room);
    // Room numbers as the device expects them: one-digit numbers first, each part sorted as
    // text, joined with ",".
    static QString comboText(const QList<int> &rooms);

    explicit HRCGroupInfo(QObject *parent = nullptr);
    ~HRCGroupInfo() override;

    // False (with a warning) when the group already has a room of that number.
    bool registerRoom(int group, const QString &name, const QString &roomName, int room, int kind,
                      int nodeNumber, const QString &roomCombine);
    void setGroupName(int group, const QString &name);

    // The command for the device, "" when nothing is to be sent, or failurePrefix() and the
    // reason; colour receives the room's new colour (unchanged on failure).
    QString roomClicked(int room, int group, int selectedCombo, QString *colour);
    QString roomColor(int group, int room) const;

    // Reads a "GRC" reply into the combos of its group; returns the group number, or 0 when the
    // reply names no registered group.
    int setCombos(const QString &reply);
    // Forgets every room and group; the designer import registers them again.
    void clear();

    // The group's room numbers, ascending.
    QList<int> groupRooms(int group) const;
    // False when the group has no room of that number.
    bool room(int group, int room, RoomInfo *info) const;
    QStringList comboColours(int group) const;
    // The display names of the other rooms in the room's combo, in the order they joined.
    QStringList combinedRoomNames(int group, int room) const;

private:
    static QString key(int group, int room);
    // Takes the room out of its combo; returns the split text, "" when no room remains.
    QString leaveCombo(RCGroup &group, RoomInfo &room);
    // The join text, "" when the combo is empty or already holds the room, or the failure.
    QString joinText(const RCGroup &group, const RoomInfo &room, int slot) const;
    QString wholeStateText(const RCGroup &group) const;
    void placeCombos(RCGroup &group, const QList<QList<int>> &combos);
    RoomInfo *findRoom(int group, int room);

    QMap<QString, RoomInfo> m_rooms;
    QMap<int, RCGroup> m_groups;
    mutable QReadWriteLock m_lock;
};

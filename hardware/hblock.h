#pragma once

#include "hardware/hnode.h"

#include <QStringList>

// A signal-processing block of a chassis.
class HBlock : public HNode
{
    Q_OBJECT

public:
    HBlock();

    QString category() const override;
    // Reads the block's list properties, then hands every property to the base.
    void parseProperty(const QXmlAttributes &attributes) override;
    // False for the block kinds no control drives (equalisers, delays, mixers, ...): the
    // designer import drops those.
    bool completeSetup() override;
    // A combiner or router block stands for one room of a room-combining group.
    void registerRooms(HRCGroupInfo *state) override;

    // Entries a list control on this block shows (room routers: "None" and the background-music
    // sources).
    QStringList itemList() const { return m_itemList; }
    void setItemList(const QStringList &items) { m_itemList = items; }
    // Hands the list to a list control and leaves the block's list empty.
    QStringList takeItemList();
    // The values of the "name..." and "inLchName..." properties, each followed by ",".
    QString listText() const { return m_listText; }
    int inputCount() const { return m_inputCount; }
    int bgmCount() const { return m_bgmCount; }
    QString roomName() const { return m_roomName; }
    // Which rooms this block's room may join: "{1|2}{2|3}" pairs or "[1,2]" lists.
    QString roomCombine() const { return m_roomCombine; }
    bool hasList() const { return m_hasList; }

private:
    void buildSourceList();

    QStringList m_itemList;
    QString m_listText;
    qint32 m_inputCount = 0;
    qint32 m_bgmCount = 0;
    QString m_roomName;
    QString m_roomCombine;
    bool m_hasList = false;
};

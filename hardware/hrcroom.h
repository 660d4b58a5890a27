#pragma once

#include "hardware/hnode.h"

class HRCGroup;

// A room of a room-combining group. It passes its group's messages for this room on to the
// room's controls, and their clicks to the group; its combo query is the group's.
class HRCRoom : public HNode
{
    Q_OBJECT

public:
    HRCRoom();

    QString category() const override;
    QString platform() const override;
    QString templatePath() const override;

    int roomID() const { return m_roomID; }
    void setRoomID(int roomID) { m_roomID = roomID; }
    HRCGroup *group() const;

    void clickRoom() override;
    // "purple" without a group.
    QString roomColor() const override;
    QStringList combinedRoomNames() const override;

    Q_INVOKABLE QString queryText();
    Q_INVOKABLE QString replyText() const;
    Q_INVOKABLE void setReplyText(const QString &text);
    Q_INVOKABLE bool pollVetoed() const;

signals:
    void roomControlClicked(int roomID);

public slots:
    // The group's messages reach every room; each passes on only its own.
    void onUpdateRoomColor(const QString &color, int roomID);
    void onSendMessage(const QString &message, int roomID);
    void onShowErrorDialog(const QString &message, int roomID);

private:
    int m_roomID = -1;
};

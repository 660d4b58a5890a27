#include "hardware/hrcroom.h"

#include "hardware/hrcgroup.h"

HRCRoom::HRCRoom() = default;

QString HRCRoom::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "RCRooms"));
}

QString HRCRoom::platform() const
{
    return QStringLiteral("Veloxa");
}

QString HRCRoom::templatePath() const
{
    return QStringLiteral(":/data/Veloxa/RCRoom_0.xml");
}

HRCGroup *HRCRoom::group() const
{
    return qobject_cast<HRCGroup *>(parentNode());
}

void HRCRoom::clickRoom()
{
    emit roomControlClicked(m_roomID);
}

QString HRCRoom::roomColor() const
{
    return group() ? group()->roomColorFor(m_roomID) : QStringLiteral("purple");
}

QStringList HRCRoom::combinedRoomNames() const
{
    return group() ? group()->combinedRoomNamesFor(m_roomID) : QStringList();
}

QString HRCRoom::queryText()
{
    return group() ? group()->queryText() : QString();
}

QString HRCRoom::replyText() const
{
    return group() ? group()->replyText() : QString();
}

void HRCRoom::setReplyText(const QString &text)
{
    if (group())
        group()->setReplyText(text);
}

bool HRCRoom::pollVetoed() const
{
    return !group() || group()->pollVetoed();
}

void HRCRoom::onUpdateRoomColor(const QString &color, int roomID)
{
    if (roomID == m_roomID)
        emit updateRoomColor(color, roomID);
}

void HRCRoom::onSendMessage(const QString &message, int roomID)
{
    if (roomID == m_roomID)
        emit sendMessage(message, roomID);
}

void HRCRoom::onShowErrorDialog(const QString &message, int roomID)
{
    if (roomID == m_roomID)
        emit showErrorDialog(message, roomID);
}

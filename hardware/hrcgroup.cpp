#include "hardware/hrcgroup.h"

#include "util/logcategories.h"

#include <QTime>

HRCGroup::HRCGroup()
{
    m_queryTimer.setSingleShot(true);
    m_queryTimer.setInterval(QueryIntervalMs);
}

QString HRCGroup::category() const
{
    return QObject::tr("RCGroups");
}

HChassis *HRCGroup::selectAttachChassis(HChassis *mainChassis, HChassis *) const
{
    return mainChassis;
}

QString HRCGroup::queryText()
{
    m_queryTimer.start();
    return QStringLiteral("GRC %1\r").arg(id());
}

void HRCGroup::setReplyText(const QString &text)
{
    // The device is asked about once a second; an unchanged answer changes nothing.
    if (text == m_replyText)
        return;
    qCDebug(lcHardware).noquote() << QTime::currentTime().toString(QStringLiteral("H:mm:ss.zzz"))
                                  << "GRC response:" << text;
    m_replyText = text;
    emit queryResponseReady();
    emit updateComboColorList();
}

#pragma once

#include "hardware/hcomposite.h"

#include <QTimer>

// A room-combining group; its rooms are its children. Its combo query and reply travel as free
// text through the group's pass-through transform.
class HRCGroup : public HComposite
{
    Q_OBJECT

public:
    static constexpr int QueryIntervalMs = 997;

    HRCGroup();

    QString category() const override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;

    // "GRC <id>" and CR; restarts the query timer.
    Q_INVOKABLE QString queryText();
    // The device's last combo reply.
    Q_INVOKABLE QString replyText() const { return m_replyText; }
    // A reply that differs from the last one is kept and the group's widgets are told.
    Q_INVOKABLE void setReplyText(const QString &text);
    // The group is not asked again while its last query is younger than the query interval.
    Q_INVOKABLE bool pollVetoed() const { return m_queryTimer.isActive(); }

private:
    QString m_replyText;
    QTimer m_queryTimer;
};

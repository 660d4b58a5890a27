#pragma once

#include "hardware/hcomposite.h"

#include <QTimer>

class HRCGroupInfo;

// A room-combining group of the designer project; its rooms are its children. Its combo query
// and reply travel as free text through the pass-through transform of every control linked to
// the group or one of its rooms; the query timer lets only one of them ask per period.
class HRCGroup : public HComposite
{
    Q_OBJECT

public:
    static constexpr int QueryIntervalMs = 997;

    HRCGroup();

    QString category() const override;
    QString platform() const override;
    QString templatePath() const override;
    // A group has no node number of its own: controls find it by its group number.
    bool completeSetup() override;
    HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const override;

    // Makes (or finds again) one HRCRoom child per room the chassis registered for the group.
    void buildRooms();
    // The group number: the designer id.
    int groupNumber() const { return id().toInt(); }
    // The combining state of the chassis above; null without one.
    HRCGroupInfo *state() const;
    // "lightblue" without a chassis.
    QString roomColorFor(int roomID) const;
    QStringList combinedRoomNamesFor(int roomID) const;

    QStringList comboColors() const override;
    QString comboColor(int index) const override;
    int selectedCombo() const override { return m_selectedCombo; }
    // Slots the group does not have are ignored.
    void selectCombo(int index) override;

    // "GRC <id>" and CR; restarts the query timer.
    Q_INVOKABLE QString queryText();
    // The device's last combo reply.
    Q_INVOKABLE QString replyText() const { return m_replyText; }
    // A reply that differs from the last one is read into the combos, and the group's widgets
    // are told.
    Q_INVOKABLE void setReplyText(const QString &text);
    // The group is not asked again while its last query is younger than the query interval.
    Q_INVOKABLE bool pollVetoed() const { return m_queryTimer.isActive(); }

public slots:
    void onRoomControlClicked(int roomID);

private:
    QString m_replyText;
    int m_selectedCombo = 0;
    QTimer m_queryTimer;
};

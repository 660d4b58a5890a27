#include "simroomcombos.h"

#include "simcombostep.h"

#include <QStringList>

SimRoomCombos SimRoomCombos::fromText(const QString &text)
{
    SimRoomCombos state;
    if (!SimComboStep::parseCombos(text.toLatin1(), &state.m_combos))
        state.m_combos.clear();
    return state;
}

QString SimRoomCombos::toText() const
{
    QString text;
    for (const QList<int> &combo : m_combos) {
        QStringList rooms;
        for (int room : combo)
            rooms.append(QString::number(room));
        text += QLatin1Char('[') + rooms.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    return text;
}

void SimRoomCombos::apply(const SimComboStep &step)
{
    switch (step.kind()) {
    case SimComboStep::Whole:
        m_combos = step.combos();
        return;
    case SimComboStep::Join: {
        const qsizetype target = comboOf(step.anchor());
        if (target >= 0 && m_combos[target].contains(step.room()))
            return;
        leave(step.room());
        // Leaving may have dissolved or moved the anchor's combo.
        const qsizetype now = comboOf(step.anchor());
        if (now >= 0)
            m_combos[now].append(step.room());
        else
            m_combos.append({step.anchor(), step.room()});
        return;
    }
    case SimComboStep::Split: {
        const qsizetype target = comboOf(step.anchor());
        if (target >= 0 && m_combos[target].contains(step.room()))
            leave(step.room());
        return;
    }
    }
}

qsizetype SimRoomCombos::comboOf(int room) const
{
    for (qsizetype i = 0; i < m_combos.size(); ++i) {
        if (m_combos[i].contains(room))
            return i;
    }
    return -1;
}

void SimRoomCombos::leave(int room)
{
    const qsizetype at = comboOf(room);
    if (at < 0)
        return;
    m_combos[at].removeOne(room);
    if (m_combos[at].size() < 2)
        m_combos.removeAt(at);
}

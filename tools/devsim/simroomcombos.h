#pragma once

#include <QList>
#include <QString>

class SimComboStep;

// The combos of one room-combining group as a processor keeps them: in the order they were
// made, each with its rooms in the order they joined; a room is in one combo at most, and a
// combo left with one room is dissolved.
class SimRoomCombos
{
public:
    // From the reply text "[1,2][3,4]"; text that is not of that form reads as no combos.
    static SimRoomCombos fromText(const QString &text);
    // The reply text after "GRC g,"; empty without combos.
    QString toText() const;
    QList<QList<int>> combos() const { return m_combos; }
    void apply(const SimComboStep &step);

private:
    qsizetype comboOf(int room) const;
    void leave(int room);

    QList<QList<int>> m_combos;
};

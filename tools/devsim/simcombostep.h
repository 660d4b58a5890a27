#pragma once

#include <QByteArray>
#include <QList>

// One room-combining change as a processor takes it: "SRC g,a,b,J" (room b joins a's combo),
// "SRC g,a,b,S" (room b leaves a's combo) or "SRC g,[1,2][3,4]" (the whole state of group g;
// "SRC g," for none).
class SimComboStep
{
public:
    enum Kind { Join, Split, Whole };

    // One text without its line end; false, and nothing set, when it is malformed or names a
    // group or room outside SimLimits.
    static bool parse(const QByteArray &text, SimComboStep *step);
    // "[1,2][3,4]" into its combos; false when malformed, a room repeats or is out of range.
    // A combo of one room is no combo and is left out.
    static bool parseCombos(const QByteArray &text, QList<QList<int>> *combos);

    Kind kind() const { return m_kind; }
    int group() const { return m_group; }
    // The room already in the combo, and the one that joins or leaves it.
    int anchor() const { return m_anchor; }
    int room() const { return m_room; }
    QList<QList<int>> combos() const { return m_combos; }

private:
    Kind m_kind = Whole;
    int m_group = 0;
    int m_anchor = 0;
    int m_room = 0;
    QList<QList<int>> m_combos;
};

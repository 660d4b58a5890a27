#include "simcombostep.h"

#include "simlimits.h"

#include <QSet>

namespace {

// A decimal number in [1, maximum]; anything else (sign, blank, hex, overflow) fails.
bool parseNumber(const QByteArray &text, int maximum, int *number)
{
    if (text.isEmpty() || text.size() > 6)
        return false;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return false;
    }
    *number = text.toInt();
    return *number >= 1 && *number <= maximum;
}

} // namespace

bool SimComboStep::parse(const QByteArray &text, SimComboStep *step)
{
    if (!text.startsWith("SRC "))
        return false;
    const QByteArray rest = text.mid(4);
    const int comma = rest.indexOf(',');
    SimComboStep read;
    if (comma < 0 || !parseNumber(rest.left(comma), SimLimits::ComboGroupMax, &read.m_group))
        return false;
    const QByteArray tail = rest.mid(comma + 1);
    if (tail.isEmpty() || tail.startsWith('[')) {
        read.m_kind = Whole;
        if (!parseCombos(tail, &read.m_combos))
            return false;
    } else {
        const QList<QByteArray> fields = tail.split(',');
        if (fields.size() != 3 || (fields[2] != "J" && fields[2] != "S"))
            return false;
        read.m_kind = fields[2] == "J" ? Join : Split;
        if (!parseNumber(fields[0], SimLimits::ComboRoomMax, &read.m_anchor) ||
            !parseNumber(fields[1], SimLimits::ComboRoomMax, &read.m_room) ||
            read.m_anchor == read.m_room)
            return false;
    }
    *step = read;
    return true;
}

bool SimComboStep::parseCombos(const QByteArray &text, QList<QList<int>> *combos)
{
    QList<QList<int>> read;
    QSet<int> seen;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype close = text.indexOf(']', at);
        if (text.at(at) != '[' || close < 0)
            return false;
        QList<int> combo;
        for (const QByteArray &piece : text.sliced(at + 1, close - at - 1).split(',')) {
            int room = 0;
            if (!parseNumber(piece, SimLimits::ComboRoomMax, &room) || seen.contains(room))
                return false;
            seen.insert(room);
            combo.append(room);
        }
        if (combo.size() > 1)
            read.append(combo);
        at = close + 1;
    }
    *combos = read;
    return true;
}

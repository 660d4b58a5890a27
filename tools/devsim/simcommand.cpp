#include "simcommand.h"

#include "simlimits.h"

#include <QList>

namespace {

const char *const KindNames[] = {"unknown", "SUB", "SUB", "UNS", "GA", "SA", "MA",  "GS",
                                 "SS",      "GG",  "SG",  "GN",  "SN", "GL", "GRC", "SRC"};

// A decimal index is written back in one canonical form, so that `>02` and `>2` meet.
QString canonicalIndex(const QByteArray &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? QString::number(number) : QString::fromLatin1(text.trimmed());
}

bool parseHex(const QByteArray &text, uint *number)
{
    bool ok = false;
    *number = text.trimmed().toUInt(&ok, 16);
    return ok && !text.trimmed().isEmpty();
}

} // namespace

SimCommand SimCommand::parse(const QByteArray &line)
{
    SimCommand command;
    command.m_text = line;
    const QByteArray word = line.left(4);
    const QByteArray rest = line.mid(4);
    if (line == "SUB") {
        command.m_kind = Probe;
    } else if (word == "SUB " && command.parseQuoted(rest)) {
        command.m_kind = Subscribe;
    } else if (word == "UNS " && command.parseQuoted(rest)) {
        command.m_kind = Unsubscribe;
    } else if (word == "GRC " && command.parseComboQuery(rest)) {
        command.m_kind = GetCombo;
    } else if (line.startsWith("SRC ") && command.parseComboSteps(line)) {
        command.m_kind = SetCombo;
    } else {
        const QByteArray code = line.left(2);
        const QByteArray args = line.mid(2);
        struct Entry
        {
            const char *code;
            Kind kind;
        };
        static const Entry entries[] = {
            {"GA", GetAddress},    {"SA", SetAddress},   {"MA", SetMatrix},
            {"GS", GetState},      {"SS", SetState},     {"GG", GetGroupLevel},
            {"SG", SetGroupLevel}, {"GN", GetGroupMute}, {"SN", SetGroupMute},
            {"GL", GetMeter},
        };
        for (const Entry &entry : entries) {
            if (code != entry.code)
                continue;
            bool ok = false;
            switch (entry.kind) {
            case GetAddress:
            case SetAddress:
            case SetMatrix:
                ok = command.parseBlockAddress(args, entry.kind != GetAddress);
                if (ok && entry.kind == SetMatrix)
                    ok = command.m_address.count(QLatin1Char('>')) == 1;
                if (ok && entry.kind == SetMatrix) {
                    // The matrix is read back as row 0 of the same block.
                    const int cut = command.m_address.indexOf(QLatin1String("\">"));
                    command.m_address.insert(cut + 2, QLatin1String("0>"));
                }
                if (ok && entry.kind == SetAddress)
                    ok = command.m_hasValue;
                break;
            case GetState:
            case SetState:
                ok = command.parseState(args, entry.kind == SetState);
                break;
            case GetMeter: {
                uint number = 0;
                ok = args.startsWith(' ') && parseHex(args, &number);
                command.m_meter = int(number);
                break;
            }
            default: {
                const bool level = entry.kind == GetGroupLevel || entry.kind == SetGroupLevel;
                const bool set = entry.kind == SetGroupLevel || entry.kind == SetGroupMute;
                ok = command.parseHexAddress(QLatin1String(level ? "GG" : "GN"), args, set);
                break;
            }
            }
            if (ok)
                command.m_kind = entry.kind;
        }
    }
    if (command.m_kind == Unknown)
        command.m_address.clear();
    return command;
}

QString SimCommand::kindName() const
{
    return QString::fromLatin1(KindNames[m_kind]);
}

bool SimCommand::isQuery() const
{
    switch (m_kind) {
    case GetAddress:
    case GetState:
    case GetGroupLevel:
    case GetGroupMute:
    case GetMeter:
    case GetCombo:
        return true;
    default:
        return false;
    }
}

bool SimCommand::isSet() const
{
    switch (m_kind) {
    case SetAddress:
    case SetMatrix:
    case SetState:
    case SetGroupLevel:
    case SetGroupMute:
    case SetCombo:
        return true;
    default:
        return false;
    }
}

QByteArray SimCommand::reply(const QString &value) const
{
    switch (m_kind) {
    case GetAddress:
        return m_text + '=' + value.toLatin1();
    case GetState:
        return "S " + value.toLatin1();
    case GetMeter:
        return m_text.trimmed() + ' ' + value.toLatin1();
    case GetGroupLevel:
    case GetGroupMute:
    case GetCombo:
        return m_text.trimmed() + ',' + value.toLatin1();
    default:
        return QByteArray();
    }
}

bool SimCommand::parseBlockAddress(const QByteArray &rest, bool withValue)
{
    const QByteArray quoted = rest.startsWith(' ') ? rest.mid(1) : rest;
    const int close = quoted.indexOf("\">");
    if (!quoted.startsWith('"') || close < 1)
        return false;
    const QString name = QString::fromLatin1(quoted.mid(1, close - 1));
    QByteArray indices = quoted.mid(close + 2);
    if (withValue) {
        const int equals = indices.indexOf('=');
        m_hasValue = equals >= 0;
        if (m_hasValue) {
            m_value = QString::fromLatin1(indices.mid(equals + 1));
            indices.truncate(equals);
        }
    }
    QStringList parts;
    for (const QByteArray &index : indices.split('>')) {
        if (index.trimmed().isEmpty())
            return false;
        parts.append(canonicalIndex(index));
    }
    m_address = QStringLiteral("\"%1\">%2").arg(name, parts.join(QLatin1Char('>')));
    return true;
}

bool SimCommand::parseHexAddress(const QString &prefix, const QByteArray &rest, bool withValue)
{
    if (!rest.startsWith(' '))
        return false;
    QByteArray number = rest;
    if (withValue) {
        const int comma = rest.indexOf(',');
        if (comma < 0)
            return false;
        m_value = QString::fromLatin1(rest.mid(comma + 1));
        m_hasValue = true;
        number.truncate(comma);
    }
    uint group = 0;
    if (!parseHex(number, &group))
        return false;
    m_address = prefix + QLatin1Char(' ') + QString::number(group, 16);
    return true;
}

bool SimCommand::parseState(const QByteArray &rest, bool withValue)
{
    m_address = QStringLiteral("S");
    if (!withValue)
        return rest.trimmed().isEmpty();
    uint state = 0;
    if (!rest.startsWith(' ') || !parseHex(rest, &state))
        return false;
    m_value = QString::number(state, 16);
    m_hasValue = true;
    return true;
}

bool SimCommand::parseComboQuery(const QByteArray &rest)
{
    bool ok = false;
    const int group = rest.trimmed().toInt(&ok);
    if (!ok || group < 1 || group > SimLimits::ComboGroupMax)
        return false;
    m_address = QStringLiteral("GRC ") + QString::number(group);
    return true;
}

bool SimCommand::parseComboSteps(const QByteArray &line)
{
    // The client may send a split and a join as one line; all of it must be sound.
    for (const QByteArray &piece : line.split(';')) {
        const QByteArray text = piece.trimmed();
        if (text.isEmpty())
            continue;
        SimComboStep step;
        if (!SimComboStep::parse(text, &step)) {
            m_comboSteps.clear();
            return false;
        }
        m_comboSteps.append(step);
    }
    const int group = m_comboSteps.first().group();
    m_address = QStringLiteral("GRC ") + QString::number(group);
    m_value = QString::fromLatin1(line.mid(line.indexOf(',') + 1));
    return true;
}

bool SimCommand::parseQuoted(const QByteArray &rest)
{
    if (rest.size() < 3 || !rest.startsWith('"') || !rest.endsWith('"'))
        return false;
    m_inner = rest.mid(1, rest.size() - 2);
    const SimCommand query = parse(m_inner);
    m_address = query.address();
    return query.isQuery();
}

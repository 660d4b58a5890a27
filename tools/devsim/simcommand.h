#pragma once

#include "simcombostep.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One command line received by a simulated device, taken apart: what it asks for, which stored
// parameter it addresses and, for set commands, the value text.
class SimCommand
{
public:
    enum Kind {
        Unknown,
        Probe,
        Subscribe,
        Unsubscribe,
        GetAddress,
        SetAddress,
        SetMatrix,
        GetState,
        SetState,
        GetGroupLevel,
        SetGroupLevel,
        GetGroupMute,
        SetGroupMute,
        GetMeter,
        GetCombo,
        SetCombo,
    };

    // `line` without its CR.
    static SimCommand parse(const QByteArray &line);

    Kind kind() const { return m_kind; }
    // The command word as the summary counts it ("GA", "SUB", "unknown", ...).
    QString kindName() const;
    // The command as received.
    QByteArray text() const { return m_text; }
    // The key of the parameter store; empty for commands without a stored parameter.
    QString address() const { return m_address; }
    QString value() const { return m_value; }
    bool hasValue() const { return m_hasValue; }
    // The meter number of a level query.
    int meter() const { return m_meter; }
    // For SUB and UNS: the query inside the quotes.
    QByteArray innerQuery() const { return m_inner; }
    // For SRC: every text of the line, in order (several may come joined by ";").
    QList<SimComboStep> comboSteps() const { return m_comboSteps; }

    bool isQuery() const;
    bool isSet() const;
    // The reply line (without CR) that answers this query with `value`.
    QByteArray reply(const QString &value) const;

private:
    bool parseBlockAddress(const QByteArray &rest, bool withValue);
    bool parseHexAddress(const QString &prefix, const QByteArray &rest, bool withValue);
    bool parseState(const QByteArray &rest, bool withValue);
    bool parseComboQuery(const QByteArray &rest);
    bool parseComboSteps(const QByteArray &line);
    bool parseQuoted(const QByteArray &rest);

    Kind m_kind = Unknown;
    QByteArray m_text;
    QString m_address;
    QString m_value;
    bool m_hasValue = false;
    int m_meter = -1;
    QByteArray m_inner;
    QList<SimComboStep> m_comboSteps;
};

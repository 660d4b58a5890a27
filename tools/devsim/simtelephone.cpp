#include "simtelephone.h"

#include "simparameterstore.h"

#include <QDateTime>

namespace {

const char *const StateTexts[] = {"IDLE",   "DIALTONE", "DIALING",         "RINGBACK", "BUSY",
                                  "ACTIVE", "INCOMING", "ACTIVE_INCOMING", "HOLD",     "HANGUP"};

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The reply is one quoted text on one line: quotes, line ends and ";" would cut it short.
QString clean(QString text)
{
    static const QString cut = QStringLiteral("\";\r\n");
    text.removeIf([](QChar c) { return cut.contains(c); });
    return text.trimmed();
}

} // namespace

SimTelephone::SimTelephone(const QString &block, bool voip, SimParameterStore *store,
                           QObject *parent)
    : QObject(parent)
    , m_block(block)
    , m_voip(voip)
    , m_store(store)
{
    setDefaults(store, block);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SimTelephone::onTimeout);
}

QString SimTelephone::stateAddress(const QString &block)
{
    return QStringLiteral("\"%1\">0>1").arg(block);
}

QString SimTelephone::callerAddress(const QString &block)
{
    return QStringLiteral("\"%1\">0>2").arg(block);
}

void SimTelephone::setDefaults(SimParameterStore *store, const QString &block)
{
    store->setDefault(stateAddress(block), quoted(QLatin1String(StateTexts[Idle])));
    store->setDefault(callerAddress(block), quoted(QString()));
}

bool SimTelephone::isCommand(int code)
{
    return code == Key || code == Dial || code == End || code == Answer || code == Hold;
}

QString SimTelephone::state() const
{
    return QLatin1String(StateTexts[m_state]);
}

void SimTelephone::setTiming(const Timing &timing)
{
    m_timing = timing;
}

bool SimTelephone::command(int code, const QString &argument)
{
    switch (code) {
    case Key:
        return press(argument);
    case Dial:
        return dial(argument);
    case End:
        return end();
    case Answer:
        return answer();
    case Hold:
        return hold();
    default:
        return false;
    }
}

bool SimTelephone::press(const QString &key)
{
    if (key.size() != 1 || !QStringLiteral("0123456789*#!").contains(key))
        return false;
    switch (m_state) {
    case Idle:
    case HangUp:
        setState(DialTone);
        return true;
    case DialTone:
    case Active:
        m_tones += key;
        return true;
    case ActiveIncoming:
        if (key != QLatin1String("!"))
            return false;
        m_tones += key;
        // Joined: the display keeps the first caller, the conference holds both.
        setCaller(m_heldCaller);
        setState(Active);
        return true;
    default:
        return false;
    }
}

bool SimTelephone::dial(const QString &argument)
{
    const QString number = clean(argument);
    if (number.isEmpty() || (m_state != Idle && m_state != HangUp && m_state != DialTone))
        return false;
    setCaller({QDateTime::currentDateTime().toString(QStringLiteral("MMddhhmm")), number, {}});
    setState(Dialing);
    setState(m_timing.busy ? Busy : RingBack);
    return true;
}

bool SimTelephone::end()
{
    switch (m_state) {
    case Idle:
    case HangUp:
        return false;
    case ActiveIncoming:
        setCaller(m_heldCaller);
        setState(Active);
        return true;
    default:
        setState(HangUp);
        return true;
    }
}

bool SimTelephone::answer()
{
    if (m_state != Incoming && m_state != ActiveIncoming && m_state != OnHold)
        return false;
    setState(Active);
    return true;
}

bool SimTelephone::hold()
{
    if (m_state != Active && m_state != OnHold)
        return false;
    setState(m_state == Active ? OnHold : Active);
    return true;
}

bool SimTelephone::ring(const QString &number, const QString &name)
{
    const Caller caller{QDateTime::currentDateTime().toString(QStringLiteral("MMddhhmm")),
                        clean(number), clean(name)};
    if (caller.number.isEmpty())
        return false;
    switch (m_state) {
    case Idle:
    case HangUp:
        setCaller(caller);
        setState(Incoming);
        return true;
    case Active:
        m_heldCaller = m_caller;
        setCaller(caller);
        setState(ActiveIncoming);
        return true;
    default:
        return false;
    }
}

bool SimTelephone::hangUpFarEnd()
{
    if (m_state != Active && m_state != OnHold && m_state != RingBack && m_state != Incoming)
        return false;
    setState(HangUp);
    return true;
}

void SimTelephone::onTimeout()
{
    switch (m_state) {
    case RingBack:
        setState(Active);
        break;
    case ActiveIncoming:
        setCaller(m_heldCaller);
        setState(Active);
        break;
    default:
        // Busy tone over, far end gone or nobody answered.
        setState(HangUp);
        break;
    }
}

void SimTelephone::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_timer.stop();
    int delay = -1;
    if (state == RingBack)
        delay = m_timing.answerMs;
    else if (state == Busy)
        delay = m_timing.busyHangUpMs;
    else if (state == Active && m_timing.farHangUpMs > 0)
        delay = m_timing.farHangUpMs;
    else if (state == Incoming || state == ActiveIncoming)
        delay = m_timing.unansweredMs;
    if (delay >= 0)
        m_timer.start(delay);
    m_store->setValue(stateAddress(m_block), quoted(this->state()));
    emit stateChanged(this->state());
}

void SimTelephone::setCaller(const Caller &caller)
{
    m_caller = caller;
    m_store->setValue(callerAddress(m_block), quoted(callerText(caller)));
}

QString SimTelephone::callerText(const Caller &caller) const
{
    if (!m_voip)
        return caller.time + QLatin1Char('&') + caller.number + QLatin1Char('&') + caller.name;
    const QString uri = QStringLiteral("<sip:%1@voip.invalid>").arg(caller.number);
    return caller.name.isEmpty() ? uri : caller.name + QLatin1Char(' ') + uri;
}

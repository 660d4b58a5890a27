#include "controls/wdialer.h"

#include "canvas/cattributes.h"
#include "comm/pprotocol.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttransform.h"
#include "formats/xmlwriter.h"
#include "util/logcategories.h"

#include <QMetaEnum>

#include <array>

namespace {

// Markers kept untranslated so that logic never compares a translated text.
const QString UnknownId = QStringLiteral(QT_TRANSLATE_NOOP("WDialer", "UNKNOWN"));
const QString ConferenceId = QStringLiteral(QT_TRANSLATE_NOOP("WDialer", "CONFERENCE"));

struct StateName
{
    const char *text;
    WDialer::DialerState state;
};

constexpr std::array<StateName, 11> StateNames{{
    {"HANGUP", WDialer::State_HangUp},
    {"IDLE", WDialer::State_HangUp},
    {"ACTIVE", WDialer::State_Active},
    {"INCOMING", WDialer::State_Incoming},
    {"ACTIVE_INCOMING", WDialer::State_ActiveIncoming},
    {"OUTGOING", WDialer::State_Outgoing},
    {"RINGBACK", WDialer::State_RingBack},
    {"BUSY", WDialer::State_Busy},
    {"DIALING", WDialer::State_Dialing},
    {"DIALTONE", WDialer::State_DialTone},
    {"HOLD", WDialer::State_Hold},
}};

bool isDecimal(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// A VoIP caller as "NAME <sip:NUMBER@HOST>", the name optional.
void splitSipCaller(const QString &text, QString *name, QString *number)
{
    const qsizetype open = text.indexOf(QLatin1Char('<'));
    *name = (open < 0 ? QString() : text.left(open)).trimmed();
    QString address =
        open < 0 ? text.trimmed() : text.mid(open + 1).section(QLatin1Char('>'), 0, 0);
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        address = address.mid(colon + 1);
    *number = address.section(QLatin1Char('@'), 0, 0).trimmed();
}

} // namespace

WDialer::WDialer(QQuickItem *parent)
    : WWidget(parent)
{
    m_callDurationTimer.setInterval(CallDurationMs);
    m_callEndedTimer.setInterval(CallEndedMs);
    m_callEndedTimer.setSingleShot(true);
    m_statusUpdateTimer.setInterval(StatusUpdateMs);
    m_statusUpdateTimer.setSingleShot(true);
    m_queryTypeToggleTimer.setInterval(QueryTypeToggleMs);
    connect(&m_callDurationTimer, &QTimer::timeout, this, &WDialer::onCallDurationTimerTimeOut);
    connect(&m_callEndedTimer, &QTimer::timeout, this, &WDialer::onCallEndedTimerTimeOut);
    connect(&m_statusUpdateTimer, &QTimer::timeout, this, &WDialer::onStatusUpdateTimeout);
    connect(&m_queryTypeToggleTimer, &QTimer::timeout, this,
            &WDialer::onQueryTypeToggleTimerTimeout);

    // The keypad view emits; the dialer answers.
    connect(this, &WDialer::accept, this, &WDialer::onAccept);
    connect(this, &WDialer::backspace, this, &WDialer::onBackspace);
    connect(this, &WDialer::backspaceHeld, this, &WDialer::onBackspaceHeld);
    connect(this, &WDialer::clear, this, &WDialer::onClear);
    connect(this, &WDialer::callOrEnd, this, [this] { onCallOrEnd(false); });
    connect(this, &WDialer::doNotSendEnd, this, [this] { onCallOrEnd(true); });
    connect(this, &WDialer::digit, this, &WDialer::onDigit);
    connect(this, &WDialer::digitHeld, this, &WDialer::onDigitHeld);
    connect(this, &WDialer::digitHeldFiveSeconds, this, &WDialer::onDigitHeldFiveSeconds);
    connect(this, &WDialer::directory, this, &WDialer::onDirectory);
    connect(this, &WDialer::hold, this, &WDialer::onHold);
    connect(this, &WDialer::addCallOrFlash, this, &WDialer::onAddCallOrFlash);
    connect(this, &WDialer::endAndAccept, this, &WDialer::onEndAndAccept);
    connect(this, &WDialer::declineAndStayActive, this, &WDialer::onDeclineAndStayActive);
    connect(this, &WDialer::holdAndAccept, this, &WDialer::onHoldAndAccept);
}

WDialer::~WDialer() = default;

bool WDialer::processProperty(const QString &name, const QString &value)
{
    const auto colourPart = [&value](QColor &colour, void (QColor::*set)(int)) {
        (colour.*set)(qBound(0, value.toInt(), 255));
    };
    if (name == QLatin1String("primaryColor")) {
        const QColor colour = QColor::fromString(value);
        m_primaryColor = colour.isValid() ? colour : QColor(Qt::black);
        emit primaryColorChanged();
    } else if (name == QLatin1String("secondaryColorRed")) {
        colourPart(m_secondaryColor, &QColor::setRed);
        emit secondaryColorChanged();
    } else if (name == QLatin1String("secondaryColorGreen")) {
        colourPart(m_secondaryColor, &QColor::setGreen);
        emit secondaryColorChanged();
    } else if (name == QLatin1String("secondaryColorBlue")) {
        colourPart(m_secondaryColor, &QColor::setBlue);
        emit secondaryColorChanged();
    } else if (name == QLatin1String("alwaysShowCallAndEnd")) {
        m_alwaysShowCallAndEnd = value == QLatin1String("true") || value == QLatin1String("1");
        emit alwaysShowCallAndEndChanged();
    } else {
        return WWidget::processProperty(name, value);
    }
    return true;
}

bool WDialer::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("primaryColor"), m_primaryColor.name());
    writer.writeInt(QStringLiteral("secondaryColorRed"), m_secondaryColor.red());
    writer.writeInt(QStringLiteral("secondaryColorGreen"), m_secondaryColor.green());
    writer.writeInt(QStringLiteral("secondaryColorBlue"), m_secondaryColor.blue());
    writer.writeBool(QStringLiteral("alwaysShowCallAndEnd"), m_alwaysShowCallAndEnd);
    writer.writeEndElement();
    return true;
}

void WDialer::resize(const QRectF &oldRect, const QRectF &newRect)
{
    WWidget::resize(oldRect, newRect);
    if (oldRect.width() != newRect.width())
        emit adjustWidth();
    if (oldRect.height() != newRect.height())
        emit adjustHeight();
}

void WDialer::setTransform(TTransform *transform)
{
    WWidget::setTransform(transform);
    if (!transform)
        return;
    transform->setQueryIndices(0, QueryState, false);
    if (m_callType != transform->attributes().callType()) {
        m_callType = transform->attributes().callType();
        emit callTypeChanged();
    }
    // A device that never answers still gets its off-line look.
    m_statusUpdateTimer.start();
}

void WDialer::updateFromDevice()
{
    if (!transform())
        return;
    QString text = transform()->replyText();
    text.remove(QLatin1Char('"'));
    if (transform()->replyIndex2() == QueryCaller)
        takeCallerReply(text);
    else
        takeStateReply(text);
}

void WDialer::runCommand(const QString &command)
{
    struct Entry
    {
        const char *name;
        void (WDialer::*slot)();
    };
    static const Entry entries[] = {
        {"backspace", &WDialer::onBackspace},
        {"clear", &WDialer::onClear},
        {"end", &WDialer::onEnd},
        {"hold", &WDialer::onHold},
        {"flash", &WDialer::onAddCallOrFlash},
        {"answer", &WDialer::onAccept},
        {"decline", &WDialer::onDeclineAndStayActive},
        {"endAndAccept", &WDialer::onEndAndAccept},
        {"holdAndAccept", &WDialer::onHoldAndAccept},
    };
    if (command.size() == 1) {
        onDigit(command);
        return;
    }
    if (command == QLatin1String("call")) {
        onCallOrEnd(false);
        return;
    }
    for (const Entry &entry : entries) {
        if (command == QLatin1String(entry.name)) {
            (this->*entry.slot)();
            return;
        }
    }
    qCWarning(lcControls).noquote() << "WDialer: unknown command" << command;
}

WDialer::DialerState WDialer::stateFromText(const QString &text)
{
    for (const StateName &entry : StateNames) {
        if (text == QLatin1String(entry.text))
            return entry.state;
    }
    return State_OTHER;
}

QString WDialer::formatNumber(const QString &digits)
{
    const qsizetype length = digits.size();
    if (length < 4 || length > 10 || !isDecimal(digits))
        return digits;
    if (length <= 7)
        return digits.left(3) + QLatin1Char('-') + digits.mid(3);
    return QLatin1Char('(') + digits.left(3) + QLatin1String(") ") + digits.mid(3, 3) +
           QLatin1Char('-') + digits.mid(6);
}

QString WDialer::formatDuration(int seconds)
{
    const auto twoDigits = [](int n) {
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    };
    const QString secondsText = QLatin1Char(':') + twoDigits(seconds % 60);
    if (seconds < 3600)
        return QString::number(seconds / 60) + secondsText;
    return QString::number(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
           secondsText;
}

void WDialer::onBackspace()
{
    m_dialString.chop(1);
    refreshDisplay();
}

void WDialer::onBackspaceHeld()
{
    onClear();
}

void WDialer::onClear()
{
    m_dialString.clear();
    refreshDisplay();
}

void WDialer::onDigit(const QString &text)
{
    // Only keypad keys: anything else would go out as a command of its own.
    if (text.size() != 1 || !QStringLiteral("0123456789*#+").contains(text))
        return;
    switch (m_dialerState) {
    case State_HangUp:
    case State_OTHER:
    case State_Startup:
        // Dialled later as a whole.
        m_dialString += text;
        refreshDisplay();
        break;
    case State_Active:
    case State_DialTone:
        if (text == QLatin1String("+"))
            break;
        m_dialString += text;
        refreshDisplay();
        sendCommand(KeyPress, text);
        break;
    default:
        break;
    }
}

void WDialer::onDigitHeld(const QString &text)
{
    const bool idle = m_dialerState == State_HangUp || m_dialerState == State_OTHER ||
                      m_dialerState == State_Startup;
    onDigit(idle && text == QLatin1String("0") ? QStringLiteral("+") : text);
}

void WDialer::onDigitHeldFiveSeconds(const QString &text)
{
    qCDebug(lcControls).noquote() << "WDialer::onDigitHeldFiveSeconds:" << text;
}

void WDialer::onCallOrEnd(bool doNotSendEnd)
{
    if (m_callEndedTimer.isActive())
        return;
    const bool idle = m_dialerState == State_HangUp || m_dialerState == State_DialTone ||
                      m_dialerState == State_OTHER;
    if (!idle) {
        if (!doNotSendEnd)
            sendCommand(End);
        return;
    }
    if (m_dialString.isEmpty()) {
        // Redial shows the number first; a second press dials it.
        m_dialString = m_lastNumber;
        refreshDisplay();
        return;
    }
    m_lastNumber = m_dialString;
    sendCommand(Dial, QLatin1Char('"') + m_dialString + QLatin1Char('"'));
}

void WDialer::onEnd()
{
    sendCommand(End);
}

void WDialer::onDirectory() {}

void WDialer::onHold()
{
    if (m_dialerState == State_Active)
        sendCommand(Hold);
}

void WDialer::onAddCallOrFlash()
{
    if (m_dialerState == State_Active) {
        m_savedIdString = m_idString;
        m_savedDialString = m_dialString;
        setIdString(ConferenceId);
        sendCommand(KeyPress, QStringLiteral("!"));
    } else if (m_dialerState == State_ActiveIncoming) {
        sendCommand(KeyPress, QStringLiteral("!"));
    }
}

void WDialer::onAccept()
{
    sendCommand(Answer);
}

void WDialer::onEndAndAccept()
{
    sendCommand(Answer);
}

void WDialer::onDeclineAndStayActive()
{
    sendCommand(End);
}

void WDialer::onHoldAndAccept()
{
    sendCommand(Hold);
    sendCommand(Answer);
}

void WDialer::onCallDurationTimerTimeOut()
{
    ++m_callSeconds;
    if (m_dialerState == State_Active && !m_callEndedTimer.isActive())
        setStatusText(formatDuration(m_callSeconds));
    refreshDisplay();
}

void WDialer::onCallEndedTimerTimeOut()
{
    m_dialString.clear();
    setIdString(QString());
    setStatusText(statusFor(m_dialerState));
    refreshDisplay();
}

void WDialer::onStatusUpdateTimeout()
{
    if (!protocol() || !protocol()->isOnline()) {
        setDialerState(State_HangUp);
        setOffline(true);
        return;
    }
    queryState();
    m_statusUpdateTimer.start();
}

void WDialer::onQueryTypeToggleTimerTimeout()
{
    if (!transform())
        return;
    if (!m_idString.isEmpty() && m_idString != UnknownId) {
        m_queryTypeToggleTimer.stop();
        return;
    }
    if (transform()->queryIndex2() != QueryState)
        return;
    transform()->setQueryIndices(0, QueryCaller, false);
    if (++m_callerQueries > MaxCallerQueries)
        m_queryTypeToggleTimer.stop();
}

void WDialer::sendCommand(Command code, const QString &argument)
{
    if (!transform() || !protocol())
        return;
    transform()->setSetIndices(code, -1);
    transform()->setValueText(argument);
    protocol()->write(transform());
}

void WDialer::takeStateReply(const QString &text)
{
    m_statusUpdateTimer.start();
    setOffline(false);
    if (text == QLatin1String("ERROR") || text == PVXBProtocol::SyncError)
        return;
    const DialerState state = stateFromText(text);
    if (state == m_dialerState)
        return;
    setPollDivider(state);
    setDialerState(state);
}

void WDialer::takeCallerReply(const QString &text)
{
    QString name;
    QString number;
    if (m_callType == QLatin1String("VoIP")) {
        splitSipCaller(text, &name, &number);
    } else {
        QStringList fields = text.split(QLatin1Char('&'));
        while (fields.size() > 3)
            fields[2] += QLatin1Char('&') + fields.takeAt(3);
        if (fields.size() == 3) {
            number = fields.at(1);
            name = fields.at(2);
        }
    }
    if (!name.isEmpty())
        setIdString(name);
    if (!number.isEmpty()) {
        m_dialString = number;
        refreshDisplay();
    }
    transform()->setQueryIndices(0, QueryState, false);
    m_callerReported = true;
    logCall();
}

void WDialer::logCall() const
{
    qCDebug(lcControls).nospace() << "WDialer: "
                                  << QMetaEnum::fromType<DialerState>().valueToKey(m_dialerState)
                                  << " status " << m_statusText << " number " << m_displayText
                                  << " caller " << m_idString;
}

void WDialer::setDialerState(DialerState state)
{
    const DialerState old = m_dialerState;
    if (state == old)
        return;
    m_statusUpdateTimer.start();
    m_dialerState = state;
    if (!inCall(old) && inCall(state)) {
        // A call that rings in right after another ended is not hidden behind "Call Ended".
        m_callEndedTimer.stop();
        m_callSeconds = 0;
    }
    // A new caller, or back to one call after a second: who is on the line is asked again,
    // unless a device that pushes its changes has just told.
    const bool callerChanges = state == State_Incoming || state == State_ActiveIncoming ||
                               (old == State_ActiveIncoming && state == State_Active);
    if (callerChanges && !m_callerReported)
        setIdString(UnknownId);
    m_callerReported = false;
    if (state == State_Active && !m_callDurationTimer.isActive())
        m_callDurationTimer.start();
    const bool callerUnknown = m_idString.isEmpty() || m_idString == UnknownId;
    if (callerUnknown &&
        (state == State_Incoming || state == State_ActiveIncoming || state == State_Active)) {
        m_callerQueries = 0;
        m_queryTypeToggleTimer.start();
    }
    if (inCall(old) && !inCall(state)) {
        m_callDurationTimer.stop();
        m_queryTypeToggleTimer.stop();
        setStatusText(tr("Call Ended"));
        m_callEndedTimer.start();
    } else if (!m_callEndedTimer.isActive()) {
        setStatusText(statusFor(state));
    }
    const bool holdActive = state == State_Hold;
    if (holdActive != m_isHoldActive) {
        m_isHoldActive = holdActive;
        emit holdStateChanged(holdActive);
    }
    refreshDisplay();
    emit dialerStateChanged();
    logCall();
}

void WDialer::setPollDivider(DialerState state)
{
    if (!transform())
        return;
    bool fast = false;
    switch (state) {
    case State_Incoming:
    case State_ActiveIncoming:
    case State_Outgoing:
    case State_RingBack:
    case State_Dialing:
    case State_DialTone:
        fast = true;
        break;
    case State_Active:
        fast = m_idString == UnknownId;
        break;
    default:
        break;
    }
    transform()->setPollDivider(fast ? 1 : 4);
}

QString WDialer::statusFor(DialerState state) const
{
    switch (state) {
    case State_Active:
        return m_callSeconds > 0 ? formatDuration(m_callSeconds) : tr("Active");
    case State_Incoming:
        return tr("Incoming");
    case State_ActiveIncoming:
        return tr("Active + Incoming");
    case State_Outgoing:
    case State_RingBack:
    case State_Dialing:
    case State_DialTone:
        return tr("Dialing");
    case State_Busy:
        return tr("Busy");
    case State_Hold:
        return tr("Hold");
    default:
        return QString();
    }
}

QString WDialer::idString() const
{
    if (m_idString == UnknownId || m_idString == ConferenceId)
        return tr(m_idString.toLatin1().constData());
    return m_idString;
}

void WDialer::setIdString(const QString &text)
{
    if (text == m_idString)
        return;
    m_idString = text;
    emit idStringChanged();
}

void WDialer::setStatusText(const QString &text)
{
    if (text == m_statusText)
        return;
    m_statusText = text;
    emit statusTextChanged();
}

void WDialer::setOffline(bool offline)
{
    if (offline == m_isOffline)
        return;
    m_isOffline = offline;
    emit isOfflineChanged();
}

void WDialer::refreshDisplay()
{
    const QString text = m_dialerState == State_Startup && m_dialString.isEmpty()
                             ? QStringLiteral("---")
                             : formatNumber(m_dialString);
    if (text == m_displayText)
        return;
    m_displayText = text;
    emit displayTextChanged();
}

void WDialer::queryState()
{
    if (!transform() || !protocol())
        return;
    transform()->setQueryIndices(0, QueryState, false);
    protocol()->read(transform());
}

bool WDialer::inCall(DialerState state)
{
    switch (state) {
    case State_HangUp:
    case State_DialTone:
    case State_OTHER:
    case State_Startup:
        return false;
    default:
        return true;
    }
}

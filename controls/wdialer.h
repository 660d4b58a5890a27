#pragma once

#include "controls/wwidget.h"

#include <QColor>
#include <QTimer>

// The telephone keypad of a PSTN or VoIP block. Its transform is a text transform on the
// block's matrix parameter: commands go out as matrix writes (the set index is the command
// code), and the call state and the caller are read with the second query index 1 and 2. The
// state changes only on the device's reports; the keypad's actions only send commands.
class WDialer : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(DialerState dialerState READ dialerState NOTIFY dialerStateChanged)
    Q_PROPERTY(bool isHoldActive READ isHoldActive NOTIFY holdStateChanged)
    Q_PROPERTY(QString callType READ callType NOTIFY callTypeChanged)
    Q_PROPERTY(QString idString READ idString NOTIFY idStringChanged)
    Q_PROPERTY(QString displayText READ displayText NOTIFY displayTextChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)
    Q_PROPERTY(bool isAspectRatioCorrectionActive READ isAspectRatioCorrectionActive NOTIFY
                   aspectRatioCorrectionActivationChanged)
    Q_PROPERTY(QColor primaryColor READ primaryColor NOTIFY primaryColorChanged)
    Q_PROPERTY(QColor secondaryColor READ secondaryColor NOTIFY secondaryColorChanged)
    Q_PROPERTY(bool isLoggingActive READ isLoggingActive NOTIFY isLoggingActiveChanged)
    Q_PROPERTY(
        bool alwaysShowCallAndEnd READ alwaysShowCallAndEnd NOTIFY alwaysShowCallAndEndChanged)
    // Set when the device stopped reporting and is off line; the view shows the skin's
    // connection indicator then.
    Q_PROPERTY(bool isOffline READ isOffline NOTIFY isOfflineChanged)

public:
    enum DialerState {
        State_HangUp,
        State_Active,
        State_Incoming,
        State_ActiveIncoming,
        State_Outgoing,
        State_RingBack,
        State_Busy,
        State_Dialing,
        State_DialTone,
        State_Hold,
        State_OTHER,
        State_Startup
    };
    Q_ENUM(DialerState)

    // Matrix set indices of the device's telephone commands.
    enum Command { KeyPress = 1, Dial = 2, End = 3, Answer = 4, Hold = 6 };
    // Second query index: what a read asks for.
    enum Query { QueryState = 1, QueryCaller = 2 };

    static constexpr int CallDurationMs = 1000;
    static constexpr int CallEndedMs = 2000;
    static constexpr int StatusUpdateMs = 5000;
    static constexpr int QueryTypeToggleMs = 490;
    // Caller queries after which the dialer stops asking who is calling.
    static constexpr int MaxCallerQueries = 40;

    explicit WDialer(QQuickItem *parent = nullptr);
    ~WDialer() override;

    bool processProperty(const QString &name, const QString &value) override;
    bool save(XmlWriter &writer) override;
    void resize(const QRectF &oldRect, const QRectF &newRect) override;
    void updateFromDevice() override;
    void setTransform(TTransform *transform) override;
    // Keypad actions by name, from a command button of the same control: "0".."9", "*", "#",
    // "backspace", "clear", "call", "end", "hold", "flash", "answer", "decline",
    // "endAndAccept", "holdAndAccept".
    void runCommand(const QString &command) override;

    DialerState dialerState() const { return m_dialerState; }
    bool isHoldActive() const { return m_isHoldActive; }
    QString callType() const { return m_callType; }
    // The caller as shown: the two markers translated, a caller's name as it came.
    QString idString() const;
    QString displayText() const { return m_displayText; }
    QString statusText() const { return m_statusText; }
    QString dialString() const { return m_dialString; }
    QString lastNumber() const { return m_lastNumber; }
    bool isAspectRatioCorrectionActive() const { return m_isAspectRatioCorrectionActive; }
    QColor primaryColor() const { return m_primaryColor; }
    QColor secondaryColor() const { return m_secondaryColor; }
    bool isLoggingActive() const { return m_isLoggingActive; }
    bool alwaysShowCallAndEnd() const { return m_alwaysShowCallAndEnd; }
    bool isOffline() const { return m_isOffline; }

    // The device's state text (quotes removed) as a state; unknown texts are State_OTHER.
    static DialerState stateFromText(const QString &text);
    // 4 to 7 digits as "555-1234", 8 to 10 as "(555) 123-4567"; anything else as typed.
    static QString formatNumber(const QString &digits);
    // "m:ss", or "h:mm:ss" once an hour has passed.
    static QString formatDuration(int seconds);

Q_SIGNALS:
    // Emitted by the keypad view.
    void accept();
    void backspace();
    void backspaceHeld();
    void clear();
    void callOrEnd();
    void doNotSendEnd();
    void digit(const QString &text);
    void digitHeld(const QString &text);
    void digitHeldFiveSeconds(const QString &text);
    void directory();
    void hold();
    void addCallOrFlash();
    void endAndAccept();
    void declineAndStayActive();
    void holdAndAccept();

    void dialerStateChanged();
    void holdStateChanged(bool isActive);
    void callTypeChanged();
    void idStringChanged();
    void displayTextChanged();
    void statusTextChanged();
    void aspectRatioCorrectionActivationChanged();
    void adjustHeight();
    void adjustWidth();
    void primaryColorChanged();
    void secondaryColorChanged();
    void isLoggingActiveChanged();
    void alwaysShowCallAndEndChanged();
    void isOfflineChanged();

public Q_SLOTS:
    void onBackspace();
    void onBackspaceHeld();
    void onClear();
    void onDigit(const QString &text);
    // A held "0" enters "+"; other keys as pressed.
    void onDigitHeld(const QString &text);
    void onDigitHeldFiveSeconds(const QString &text);
    void onCallOrEnd(bool doNotSendEnd = false);
    void onEnd();
    void onDirectory();
    void onHold();
    void onAddCallOrFlash();
    void onAccept();
    void onEndAndAccept();
    void onDeclineAndStayActive();
    void onHoldAndAccept();
    void onCallDurationTimerTimeOut();
    void onCallEndedTimerTimeOut();
    void onStatusUpdateTimeout();
    void onQueryTypeToggleTimerTimeout();

private:
    void sendCommand(Command code, const QString &argument = QString());
    void takeStateReply(const QString &text);
    void takeCallerReply(const QString &text);
    void setDialerState(DialerState state);
    void setPollDivider(DialerState state);
    // The state line when no call just ended; an active call shows its duration.
    QString statusFor(DialerState state) const;
    void setIdString(const QString &text);
    void setStatusText(const QString &text);
    void setOffline(bool offline);
    // The typed or reported number, formatted; "---" until the device first reports.
    void refreshDisplay();
    void queryState();
    // One line per state or caller report, for following a call in the log.
    void logCall() const;
    static bool inCall(DialerState state);

    DialerState m_dialerState = State_Startup;
    bool m_isHoldActive = false;
    QString m_callType;
    QString m_idString;
    QString m_displayText = QStringLiteral("---");
    QString m_statusText;
    QString m_dialString;
    QString m_lastNumber;
    // The first call's caller while a second one is added.
    QString m_savedIdString;
    QString m_savedDialString;
    QColor m_primaryColor = QColor(Qt::black);
    QColor m_secondaryColor = QColor(Qt::black);
    bool m_alwaysShowCallAndEnd = false;
    bool m_isAspectRatioCorrectionActive = false;
    bool m_isLoggingActive = false;
    bool m_isOffline = false;
    int m_callSeconds = 0;
    int m_callerQueries = 0;
    // A caller report arrived since the state last changed.
    bool m_callerReported = false;
    QTimer m_callDurationTimer;
    QTimer m_callEndedTimer;
    QTimer m_statusUpdateTimer;
    QTimer m_queryTypeToggleTimer;
};

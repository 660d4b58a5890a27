#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class SimParameterStore;

// The line of one telephone block (PSTN or VoIP) as the device plays it: takes the dialer's
// matrix commands, runs the call through its states and keeps the state and caller texts in the
// store, where queries and subscriptions read them.
class SimTelephone : public QObject
{
    Q_OBJECT

public:
    enum Command { Key = 1, Dial = 2, End = 3, Answer = 4, Hold = 6 };

    struct Timing
    {
        int answerMs = 2000;
        bool busy = false;
        // 0: the far end never hangs up.
        int farHangUpMs = 0;
        int busyHangUpMs = 3000;
        int unansweredMs = 30000;
    };

    // The store is not owned and must outlive the telephone.
    SimTelephone(const QString &block, bool voip, SimParameterStore *store,
                 QObject *parent = nullptr);

    static QString stateAddress(const QString &block);
    static QString callerAddress(const QString &block);
    // What a telephone reads before any call.
    static void setDefaults(SimParameterStore *store, const QString &block);
    static bool isCommand(int code);

    QString block() const { return m_block; }
    QString state() const;
    // Keys pressed during calls and at dial tone, flashes ("!") included.
    QString tones() const { return m_tones; }
    void setTiming(const Timing &timing);

    // False when the command does not apply in the present state (the line ignores it).
    bool command(int code, const QString &argument);
    // A call from outside; false when the line cannot take it now.
    bool ring(const QString &number, const QString &name);
    bool hangUpFarEnd();

signals:
    void stateChanged(const QString &state);

private:
    enum State {
        Idle,
        DialTone,
        Dialing,
        RingBack,
        Busy,
        Active,
        Incoming,
        ActiveIncoming,
        OnHold,
        HangUp,
    };

    struct Caller
    {
        QString time;
        QString number;
        QString name;
    };

    bool press(const QString &key);
    bool dial(const QString &number);
    bool end();
    bool answer();
    bool hold();
    void onTimeout();
    void setState(State state);
    void setCaller(const Caller &caller);
    QString callerText(const Caller &caller) const;

    QString m_block;
    bool m_voip;
    SimParameterStore *m_store;
    State m_state = Idle;
    Caller m_caller;
    // The call that stays while a second one rings.
    Caller m_heldCaller;
    QString m_tones;
    Timing m_timing;
    QTimer m_timer;
};

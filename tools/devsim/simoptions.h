#pragma once

#include "simfaults.h"

#include <QString>
#include <QStringList>

// The command line of veloxa-devsim.
class SimOptions
{
public:
    // False with errorString() set when an option is missing its value or out of range.
    bool parse(const QStringList &arguments);
    QString errorString() const { return m_errorString; }
    QString helpText() const { return m_helpText; }
    bool helpRequested() const { return m_helpRequested; }

    QString project() const { return m_project; }
    // -1 when not given: every device on its own port.
    int port() const { return m_port; }
    QString device() const { return m_device; }
    bool ephemeral() const { return m_ephemeral; }
    bool bindAnyAddress() const { return m_bindAnyAddress; }
    bool hasSeed() const { return m_hasSeed; }
    quint32 seed() const { return m_seed; }
    SimFaults faults() const { return m_faults; }
    QString logFile() const { return m_logFile; }
    bool summary() const { return m_summary; }
    bool stdinQuit() const { return m_stdinQuit; }
    // 0 when not given.
    int combineEveryMs() const { return m_combineEveryMs; }
    int answerAfterMs() const { return m_answerAfterMs; }
    bool busy() const { return m_busy; }
    // 0: never.
    int farHangUpAfterMs() const { return m_farHangUpAfterMs; }
    // Empty when no incoming call was asked for.
    QString incomingNumber() const { return m_incomingNumber; }
    QString incomingName() const { return m_incomingName; }
    int incomingAfterMs() const { return m_incomingAfterMs; }

private:
    bool fail(const QString &message);

    QString m_errorString;
    QString m_helpText;
    bool m_helpRequested = false;
    QString m_project;
    int m_port = -1;
    QString m_device;
    bool m_ephemeral = false;
    bool m_bindAnyAddress = false;
    bool m_hasSeed = false;
    quint32 m_seed = 0;
    SimFaults m_faults;
    QString m_logFile;
    bool m_summary = false;
    bool m_stdinQuit = false;
    int m_combineEveryMs = 0;
    int m_answerAfterMs = 2000;
    bool m_busy = false;
    int m_farHangUpAfterMs = 0;
    QString m_incomingNumber;
    QString m_incomingName;
    int m_incomingAfterMs = 1000;
};

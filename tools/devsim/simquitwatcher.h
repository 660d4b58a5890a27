#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and, when asked, the end of standard input into one Qt signal, so that
// the program leaves its event loop and shuts down in order. Lines typed on standard input
// before its end are passed on.
class SimQuitWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SimQuitWatcher(QObject *parent = nullptr);
    ~SimQuitWatcher() override;

    // False when the signal handlers could not be installed.
    bool watchSignals();
    void watchStandardInput();

signals:
    void quitRequested(const QString &reason);
    void lineEntered(const QByteArray &line);

private:
    void onSignal();
    void onStandardInput();
    static void handleSignal(int number);

    QSocketNotifier *m_signalNotifier = nullptr;
    QSocketNotifier *m_inputNotifier = nullptr;
    QByteArray m_input;
};

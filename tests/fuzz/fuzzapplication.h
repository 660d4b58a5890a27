#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>

// The application object of a fuzz target, made on the first input and kept for all others (Qt
// allows one per process). A dialog that a reader raises is dismissed as soon as it shows, as a
// user clicking it away would, so a refused input never waits for a hand. The application is
// not a static object: it must go before the ones Qt keeps its font cache in, so the replay
// driver deletes it when it is done; under libFuzzer it lives until the process ends.
class FuzzApplication : public QObject
{
public:
    static void ensure()
    {
        if (qApp)
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
        static int argc = 1;
        static char name[] = "veloxa-fuzz";
        static char *argv[] = {name, nullptr};
        new FuzzApplication(new QApplication(argc, argv));
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *dialog = qobject_cast<QDialog *>(watched))
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    explicit FuzzApplication(QApplication *application)
        : QObject(application)
    {
        application->installEventFilter(this);
    }
};

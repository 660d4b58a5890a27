#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>

// The application object of a fuzz target, made on the first input and kept for all others (Qt
// allows one per process). A dialog that a reader raises is dismissed as soon as it shows, as a
// user clicking it away would, so a refused input never waits for a hand.
class FuzzApplication : public QObject
{
public:
    static void ensure()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
        static int argc = 1;
        static char name[] = "veloxa-fuzz";
        static char *argv[] = {name, nullptr};
        static QApplication application(argc, argv);
        static FuzzApplication dismisser;
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
    FuzzApplication() { qApp->installEventFilter(this); }
};

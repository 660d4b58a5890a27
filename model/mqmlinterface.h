#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QQmlContext;
class MModel;
class VQmlFrame;

// The one object the view documents see, as "intrf". The documents declare its display
// properties; the model writes them by name.
class MQmlInterface : public QObject
{
    Q_OBJECT

public:
    explicit MQmlInterface(QObject *parent = nullptr);

    void setContext(QQmlContext *context) { m_qmlContext = context; }
    QQmlContext *context() const { return m_qmlContext; }
    void setModel(MModel *model);
    MModel *model() const { return m_model; }
    void setView(VQmlFrame *view) { m_view = view; }
    VQmlFrame *view() const { return m_view; }
    QObject *qmlView() const { return m_qmlView; }
    void setSceneMenu(const QStringList &scenes);

Q_SIGNALS:
    void showReceiveDialog();
    void closeReceiveDialog();
    void receiveDialogCanceled();
    void showMessageDialog(const QString &title, const QString &text);
    void messageDialogClosed();
    void showRegionDialog();
    void regionDialogClosed();
    void showExitPasscodeDialog();
    void closeSignal();

public Q_SLOTS:
    void onExitTimerTimeout();
    void doubleClickControl() {}
    void exitApplication();
    QString getExitPIN() const;
    void setObject(const QString &name, QObject *object);
    void canvasResize();
    QString getFileVersionString() const;
    QString getProjectInfoString() const;
    QString getDesktopOrMobile() const { return QStringLiteral("desktop"); }
    bool postCommand(const QString &command, const QString &data);
    void dropPanel(const QString &, const QString &) {}
    void panelSetup() {}
    void headerText() {}
    void getAppFunction() {}
    int cancelEdit() { return 0; }
    void setupMenuData(const QString &text);

private:
    QQmlContext *m_qmlContext = nullptr;
    QPointer<QObject> m_qmlView;
    MModel *m_model = nullptr;
    VQmlFrame *m_view = nullptr;
    QTimer m_exitTimer;
};

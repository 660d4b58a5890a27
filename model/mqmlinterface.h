#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariantList>

class QHostAddress;
class QQmlContext;
class DQmlMessageDialog;
class HNode;
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

    // The IP address box's text for these addresses: IPv6 and loopback are left out.
    static QString mobileIpAddressText(const QList<QHostAddress> &addresses);

Q_SIGNALS:
    void showReceiveDialog();
    void closeReceiveDialog();
    // From the receive box of the documents or of the dialog; ends the receive wait.
    void receiveDialogCanceled();
    void showMessageDialog(const QString &title, const QString &text);
    void messageDialogClosed();
    void showRegionDialog();
    void regionDialogClosed();
    void showExitPasscodeDialog();
    void closeSignal();

public Q_SLOTS:
    void onExitTimerTimeout();
    void onReceiveModeDialogClosed();
    void doubleClickControl() {}
    void exitApplication();
    QString getExitPIN() const;
    void setObject(const QString &name, QObject *object);
    void canvasResize();
    QString getVersionText() const;
    QString getFileVersionString() const;
    QString getProjectInfoString() const;
    QString getNetworkStatusString() const;
    QString getMobileIPAddressString() const;
    QString getReceivePanelString() const;
    QString getDesktopOrMobile() const { return QStringLiteral("desktop"); }
    void saveFullScreenState(bool isFullscreen);
    bool loadFullScreenState() const;
    bool postCommand(const QString &command, const QString &data);
    // Whether the dragged node (its number in text, or data for a node without one) may land
    // on the drop site.
    bool dropSite(const QString &text, const QString &data, QObject *site) const;
    // One entry per node that has a module template, in tree order: "text" and "data" to drag,
    // "label", "category" and "title" to show.
    QVariantList getNodeList() const;
    void dropPanel(const QString &, const QString &) {}
    void dropControl(const QString &, const QString &, qreal, qreal) {}
    void dropLink(const QString &, const QString &, qreal, qreal) {}
    void panelSetup() {}
    void headerText() {}
    void getAppFunction() {}
    int cancelEdit() { return 0; }
    // text: the entries as shown, joined by ","; keys: the same entries untranslated, which
    // decide what a chosen entry does.
    void setupMenuData(const QString &text, const QString &keys = QString());

private:
    static void appendDroppable(const HNode *node, QVariantList &entries);
    bool systemCommand(const QString &item);
    void showBox(const QString &document, const QString &title, const QString &text);

    QQmlContext *m_qmlContext = nullptr;
    QPointer<QObject> m_qmlView;
    QStringList m_setupMenuEntries;
    QStringList m_setupMenuKeys;
    MModel *m_model = nullptr;
    VQmlFrame *m_view = nullptr;
    QTimer m_exitTimer;
};

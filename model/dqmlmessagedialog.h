#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

class QQuickItem;
class MQmlInterface;

// Modal message boxes drawn by a QML document, and the receive-mode box.
class DQmlMessageDialog : public QObject
{
    Q_OBJECT

public:
    explicit DQmlMessageDialog(QObject *parent = nullptr);
    ~DQmlMessageDialog() override;

    void setInterface(MQmlInterface *qmlInterface) { m_qmlInterface = qmlInterface; }
    // Shows the document with title, text and button, and waits in a local loop until it is
    // closed. Returns at once when the document cannot be shown, as nothing could close it.
    void doModal(const QString &document, const QString &title, const QString &text,
                 const QString &button);
    bool isClosed() const { return m_closed; }

Q_SIGNALS:
    void closed();
    void receiveModeDialogClosed();
    void quit();

public Q_SLOTS:
    void close();
    void applicationStateChanged(Qt::ApplicationState state);
    void onReceiveModeDialogClosed();
    void showMessageBox(const QString &title, const QString &text);
    // The receive-mode box stays up, application-modal, while the model receives; its text
    // follows the transfer. Cancel reaches the interface as receiveDialogCanceled().
    void showReceiveBox(const QString &text);
    void setReceiveText(const QString &text);
    // The transfer is over and failed: the box keeps the reason until the user closes it.
    void showReceiveResult(const QString &text);
    void closeReceiveBox();

private:
    QQuickItem *modalParent() const;
    QMessageBox *openReceiveBox(const QString &text, QMessageBox::Icon icon,
                                QMessageBox::StandardButton button);

    MQmlInterface *m_qmlInterface = nullptr;
    QString m_document;
    QString m_title;
    QString m_text;
    QString m_button;
    QPointer<QObject> m_object;
    QPointer<QMessageBox> m_receiveBox;
    bool m_closed = true;
};

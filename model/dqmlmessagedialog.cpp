#include "model/dqmlmessagedialog.h"

#include "app/vqmlframe.h"
#include "controls/vmodemanager.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"

#include <QEventLoop>
#include <QQmlComponent>
#include <QQuickItem>

DQmlMessageDialog::DQmlMessageDialog(QObject *parent)
    : QObject(parent)
{}

void DQmlMessageDialog::showMessageBox(const QString &title, const QString &text)
{
    doModal(QStringLiteral("qrc:/qml/objects/QmlMessageDialog.qml"), title, text, tr("OK"));
}

void DQmlMessageDialog::doModal(const QString &document, const QString &title, const QString &text,
                                const QString &button)
{
    qCDebug(lcModel) << "DoModal called.";
    m_document = document;
    m_title = title;
    m_text = text;
    m_button = button;
    VQmlFrame *view = m_qmlInterface ? m_qmlInterface->view() : nullptr;
    if (!view)
        return;
    QQmlComponent component(view->engine(), QUrl(document));
    QObject *object = component.create();
    if (!object) {
        qCWarning(lcModel) << component.errors();
        return;
    }
    auto *item = qobject_cast<QQuickItem *>(object);
    QQuickItem *modalParent = VModeManager::instance()->canvasItem();
    if (item && modalParent)
        item->setParentItem(modalParent);
    object->setProperty("button", button);
    object->setProperty("title", title);
    object->setProperty("text", text);
    object->setProperty("visible", true);
    m_object = object;
    if (object->metaObject()->indexOfSignal("quit()") >= 0)
        connect(object, SIGNAL(quit()), this, SLOT(close()));

    m_closed = false;
    QEventLoop loop;
    connect(this, &DQmlMessageDialog::closed, &loop, &QEventLoop::quit);
    loop.exec();
}

void DQmlMessageDialog::close()
{
    if (m_object)
        m_object->deleteLater();
    m_closed = true;
    Q_EMIT closed();
}

void DQmlMessageDialog::applicationStateChanged(Qt::ApplicationState)
{
    // A box stays open across application state changes; the user closes it.
}

void DQmlMessageDialog::onReceiveModeDialogClosed()
{
    Q_EMIT receiveModeDialogClosed();
}

#include "model/dqmlmessagedialog.h"

#include "app/vqmlframe.h"
#include "controls/vmodemanager.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QQmlComponent>
#include <QQuickItem>

DQmlMessageDialog::DQmlMessageDialog(QObject *parent)
    : QObject(parent)
{}

// A receive box still open has no other owner.
DQmlMessageDialog::~DQmlMessageDialog()
{
    delete m_receiveBox;
}

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
    // Owned by the dialog until closing hands it to deferred deletion.
    QObject *object = component.create();
    if (!object) {
        qCWarning(lcModel) << component.errors();
        return;
    }
    object->setParent(this);
    QQuickItem *parentItem = modalParent();
    object->setProperty("parent", QVariant::fromValue(parentItem));
    object->setProperty("button", button);
    object->setProperty("title", title);
    object->setProperty("text", text);
    object->setProperty("visible", true);
    m_object = object;
    // The documents' own signal, known only by its signature.
    if (object->metaObject()->indexOfSignal("quit()") >= 0)
        connect(object, SIGNAL(quit()), this, SLOT(close()));

    m_closed = false;
    if (qGuiApp)
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
                &DQmlMessageDialog::applicationStateChanged, Qt::UniqueConnection);
    QEventLoop loop;
    connect(this, &DQmlMessageDialog::closed, &loop, &QEventLoop::quit);
    if (!m_closed)
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

void DQmlMessageDialog::showReceiveBox(const QString &text)
{
    QMessageBox *box = openReceiveBox(text, QMessageBox::NoIcon, QMessageBox::Cancel);
    connect(box, &QMessageBox::rejected, this, &DQmlMessageDialog::onReceiveModeDialogClosed);
    if (m_qmlInterface) {
        qCDebug(lcModel) << "connecting receive mode box closing to slot";
        connect(this, &DQmlMessageDialog::receiveModeDialogClosed, m_qmlInterface,
                &MQmlInterface::onReceiveModeDialogClosed, Qt::UniqueConnection);
        // A finished transfer closes the box without counting as a cancel.
        connect(m_qmlInterface, &MQmlInterface::closeReceiveDialog, box, &QMessageBox::accept);
    } else {
        qCDebug(lcModel)
            << "There is no MQmlInterface at this point. The cancel event  will not be captured.";
    }
}

QMessageBox *DQmlMessageDialog::openReceiveBox(const QString &text, QMessageBox::Icon icon,
                                               QMessageBox::StandardButton button)
{
    closeReceiveBox();
    auto *box = new QMessageBox(icon, tr("Receive Control Panel..."), text, button);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The panel stays still while its polling is off.
    box->setWindowModality(Qt::ApplicationModal);
    m_receiveBox = box;
    box->show();
    return box;
}

void DQmlMessageDialog::setReceiveText(const QString &text)
{
    if (m_receiveBox)
        m_receiveBox->setText(text);
}

void DQmlMessageDialog::showReceiveResult(const QString &text)
{
    // A box of its own: a shown box keeps escaping to the button it had when shown, and closing
    // this one cancels nothing.
    openReceiveBox(text, QMessageBox::Warning, QMessageBox::Close);
}

void DQmlMessageDialog::closeReceiveBox()
{
    if (m_receiveBox) {
        m_receiveBox->disconnect(this);
        m_receiveBox->close();
    }
}

QQuickItem *DQmlMessageDialog::modalParent() const
{
    VModeManager *modes = VModeManager::instance();
    if (auto *modal = qobject_cast<QQuickItem *>(modes->modalObject()))
        return modal;
    return modes->canvasItem();
}

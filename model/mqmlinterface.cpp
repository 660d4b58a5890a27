#include "model/mqmlinterface.h"

#include "app/vqmlframe.h"
#include "controls/vmodemanager.h"
#include "controls/wdropsite.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "model/dqmlmessagedialog.h"
#include "model/mmodel.h"
#include "model/mproject.h"
#include "util/logcategories.h"
#include "util/usettings.h"
#include "util/uversion.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QQmlContext>
#include <QQuickItem>

#include <limits>

namespace {
const QString kMessageDialog = QStringLiteral("qrc:/qml/objects/QmlMessageDialog.qml");
const QString kAboutDialog = QStringLiteral("qrc:/qml/objects/QmlAboutDialog.qml");
const QString kFullscreenKey = QStringLiteral("isFullscreen");
} // namespace

MQmlInterface::MQmlInterface(QObject *parent)
    : QObject(parent)
{
    m_exitTimer.setSingleShot(true);
    m_exitTimer.setInterval(10);
    connect(&m_exitTimer, &QTimer::timeout, this, &MQmlInterface::onExitTimerTimeout);
}

void MQmlInterface::setModel(MModel *model)
{
    m_model = model;
    if (!model)
        return;
    model->setQmlInterface(this);
    model->setQmlContext(m_qmlContext);
}

void MQmlInterface::onExitTimerTimeout()
{
    QCoreApplication::quit();
}

void MQmlInterface::onReceiveModeDialogClosed()
{
    qCDebug(lcModel) << "MQmlInterface has received the signal that the box has closed.";
    Q_EMIT receiveDialogCanceled();
}

void MQmlInterface::exitApplication()
{
    m_exitTimer.start();
}

QString MQmlInterface::getExitPIN() const
{
    return MProject::exitCode();
}

void MQmlInterface::setObject(const QString &name, QObject *object)
{
    if (name == QStringLiteral("QmlView"))
        m_qmlView = object;
    else if (name == QStringLiteral("QmlCanvas"))
        VModeManager::instance()->setCanvasItem(qobject_cast<QQuickItem *>(object));
    else if (name == QStringLiteral("ModalObject"))
        VModeManager::instance()->setModalObject(object);
}

void MQmlInterface::canvasResize()
{
    if (!m_model)
        return;
    m_model->applyScale();
    m_model->centerControls();
}

QString MQmlInterface::getVersionText() const
{
    return tr("Version %1").arg(UVersion::text()) + QStringLiteral("\n\n") +
           tr("Copyright \u00A9 Orvik. All rights reserved.");
}

QString MQmlInterface::getFileVersionString() const
{
    return m_model ? m_model->fileVersion() : QString();
}

QString MQmlInterface::getProjectInfoString() const
{
    return m_model && m_model->project() ? m_model->project()->infoText() : QString();
}

QString MQmlInterface::getNetworkStatusString() const
{
    QString text;
    QList<HNode *> nodes;
    HRoot *root = m_model ? m_model->hardwareRoot() : nullptr;
    if (root)
        root->collectByCategory(QStringLiteral("Chassis"), nodes);
    for (HNode *node : std::as_const(nodes)) {
        const auto *chassis = qobject_cast<HChassis *>(node);
        if (!chassis)
            continue;
        if (chassis->platform() == QStringLiteral("TQY")) {
            qCDebug(lcModel).noquote()
                << QStringLiteral("Skipping reporting on unsupported chassis: ") + chassis->label();
            continue;
        }
        text += chassis->networkStatus() + QStringLiteral("\n\n");
    }
    return text.isEmpty() ? tr("No network information available.") : text;
}

QString MQmlInterface::getMobileIPAddressString() const
{
    return mobileIpAddressText(QNetworkInterface::allAddresses());
}

QString MQmlInterface::mobileIpAddressText(const QList<QHostAddress> &addresses)
{
    QStringList shown;
    for (const QHostAddress &address : addresses) {
        const QString text = address.toString();
        if (!text.contains(QLatin1Char(':')) && !text.startsWith(QStringLiteral("127.0.0")))
            shown.append(text);
    }
    QString list = shown.join(QLatin1Char('\n'));
    if (addresses.isEmpty())
        list = tr("No network interfaces found.");
    else if (shown.isEmpty())
        list = tr("No network connection detected.");
    return tr("Mobile IP Address:\n\n") + list;
}

QString MQmlInterface::getReceivePanelString() const
{
    return tr("Receive Control Panel...");
}

void MQmlInterface::saveFullScreenState(bool isFullscreen)
{
    USettings::window().setValue(kFullscreenKey, isFullscreen);
}

bool MQmlInterface::loadFullScreenState() const
{
    return USettings::window().value(kFullscreenKey, true).toBool();
}

bool MQmlInterface::postCommand(const QString &command, const QString &data)
{
    if (!m_model)
        return false;
    if (command == QStringLiteral("event"))
        return m_model->navigate(data);
    if (command == QStringLiteral("scene"))
        return m_model->selectScene(data);
    if (command == QStringLiteral("statusbar")) {
        Q_EMIT m_model->displayMessage(data);
        return true;
    }
    if (command == QStringLiteral("system"))
        return systemCommand(data);
    return false;
}

bool MQmlInterface::dropSite(const QString &text, const QString &data, QObject *site) const
{
    return m_model && m_model->droppableNode(text, data, qobject_cast<WDropSite *>(site));
}

QVariantList MQmlInterface::getNodeList() const
{
    QVariantList entries;
    HRoot *root = m_model ? m_model->hardwareRoot() : nullptr;
    if (root)
        appendDroppable(root, entries);
    return entries;
}

void MQmlInterface::appendDroppable(const HNode *node, QVariantList &entries)
{
    if (!MModel::templateFor(node, nullptr).isEmpty()) {
        const QString number = QString::number(node->nodeNumber());
        const QString data =
            node->nodeNumber() != 0 ? number : node->category() + u'|' + node->id();
        entries.append(QVariantMap{{QStringLiteral("text"), number},
                                   {QStringLiteral("data"), data},
                                   {QStringLiteral("label"), node->label()},
                                   {QStringLiteral("category"), node->categoryText()},
                                   {QStringLiteral("title"), node->title()}});
    }
    for (int i = 0; i < node->childCount(); ++i)
        appendDroppable(node->child(i), entries);
}

void MQmlInterface::setupMenuData(const QString &text, const QString &keys)
{
    const QStringList entries = text.split(QLatin1Char(','));
    m_setupMenuKeys = keys.isEmpty() ? QStringList() : keys.split(QLatin1Char(','));
    m_setupMenuEntries = m_setupMenuKeys.size() == entries.size() ? entries : QStringList();
    if (m_qmlContext)
        m_qmlContext->setContextProperty(QStringLiteral("setupMenuData"), entries);
}

void MQmlInterface::setSceneMenu(const QStringList &scenes)
{
    if (!m_qmlContext) {
        qCDebug(lcModel) << "Context not set when loading scene menu.";
        return;
    }
    m_qmlContext->setContextProperty(QStringLiteral("sceneMenuData"), scenes);
}

bool MQmlInterface::systemCommand(const QString &item)
{
    // A shown menu entry stands for its untranslated key, so that the actions below never
    // depend on a translation. A menu item is known by the label it begins with; the desktop
    // menu adds "..." or more.
    const qsizetype entry = m_setupMenuEntries.indexOf(item);
    const QString key = entry >= 0 ? m_setupMenuKeys.at(entry) : item;
    static const struct
    {
        QLatin1String label;
        QString (MQmlInterface::*text)() const;
        const QString &document;
    } boxes[] = {
        {QLatin1String("IP Address"), &MQmlInterface::getMobileIPAddressString, kMessageDialog},
        {QLatin1String("Network Status"), &MQmlInterface::getNetworkStatusString, kMessageDialog},
        {QLatin1String("Project Information"), &MQmlInterface::getProjectInfoString,
         kMessageDialog},
        {QLatin1String("About"), &MQmlInterface::getVersionText, kAboutDialog},
    };
    for (const auto &box : boxes) {
        if (key.startsWith(box.label)) {
            showBox(box.document, item, (this->*box.text)());
            return true;
        }
    }
    if (key.startsWith(QLatin1String("Receive"))) {
        m_model->receivePanel();
        return true;
    }
    if (key.startsWith(QLatin1String("Exit"))) {
        if (getExitPIN().isEmpty())
            exitApplication();
        else
            Q_EMIT showExitPasscodeDialog();
        return true;
    }
    return false;
}

void MQmlInterface::showBox(const QString &document, const QString &title, const QString &text)
{
    if (m_view)
        m_view->messageDialog()->doModal(document, title, text, tr("OK"));
}

#include "model/mqmlinterface.h"

#include "controls/vmodemanager.h"
#include "model/mmodel.h"
#include "model/mproject.h"
#include "util/logcategories.h"

#include <QCoreApplication>
#include <QQmlContext>
#include <QQuickItem>

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

QString MQmlInterface::getFileVersionString() const
{
    return m_model ? m_model->fileVersion() : QString();
}

QString MQmlInterface::getProjectInfoString() const
{
    return m_model && m_model->project() ? m_model->project()->infoText() : QString();
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
    return false;
}

void MQmlInterface::setupMenuData(const QString &text)
{
    if (m_qmlContext)
        m_qmlContext->setContextProperty(QStringLiteral("setupMenuData"),
                                         text.split(QLatin1Char(',')));
}

void MQmlInterface::setSceneMenu(const QStringList &scenes)
{
    if (!m_qmlContext) {
        qCDebug(lcModel) << "Context not set when loading scene menu.";
        return;
    }
    m_qmlContext->setContextProperty(QStringLiteral("sceneMenuData"), scenes);
}

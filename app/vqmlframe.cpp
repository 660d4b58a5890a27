#include "app/vqmlframe.h"

#include "app/metergaugelocalization.h"
#include "canvas/ccomposite.h"
#include "controls/wqmltypes.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>

VQmlFrame::VQmlFrame(QWindow *parentWindow)
    : QQuickView(parentWindow)
    , m_parentWindow(parentWindow)
    , m_gaugeLocalization(std::make_unique<MeterGaugeLocalization>())
{
    setResizeMode(QQuickView::SizeRootObjectToView);
}

VQmlFrame::~VQmlFrame()
{
    // Items of the documents refer to the interface object: tear the scene down first, the
    // controls' documents (owned by the scene tree) included.
    setSource(QUrl());
    if (m_model && m_model->sceneRoot())
        m_model->sceneRoot()->clear();
    engine()->clearComponentCache();
    m_qmlInterface.reset();
    m_interfaceComponent.reset();
}

void VQmlFrame::registerTypes(bool initModel)
{
    registerQmlTypes();
    createInterface(engine());
    if (initModel && m_model)
        m_model->init();
}

void VQmlFrame::createInterface(QQmlEngine *engine)
{
    m_interfaceComponent =
        std::make_unique<QQmlComponent>(engine, QUrl(QStringLiteral("qrc:/qml/QmlInterface.qml")));
    const QList<QQmlError> errors = m_interfaceComponent->errors();
    for (qsizetype i = 0; i < errors.size(); ++i)
        qCDebug(lcApp) << i << errors.at(i);
    if (!errors.isEmpty())
        qCDebug(lcApp) << "------------------------";
    std::unique_ptr<QObject> created(m_interfaceComponent->create());
    m_qmlInterface.reset(qobject_cast<MQmlInterface *>(created.get()));
    if (m_qmlInterface)
        created.release();
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("intrf"), m_qmlInterface.get());
    context->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), m_gaugeLocalization.get());
    context->setContextProperty(QStringLiteral("MsgBoxController"), &m_messageDialog);
    if (m_qmlInterface) {
        m_qmlInterface->setContext(context);
        m_messageDialog.setInterface(m_qmlInterface.get());
    }
}

void VQmlFrame::setModel(MModel *model)
{
    m_model = model;
    if (m_qmlInterface) {
        m_qmlInterface->setModel(model);
        m_qmlInterface->setView(this);
    }
}

void VQmlFrame::setSetupMenu(const QString &text)
{
    if (m_qmlInterface)
        m_qmlInterface->setupMenuData(text);
}

qreal VQmlFrame::dotsPerInch() const
{
    const QScreen *s = screen();
    return s ? s->logicalDotsPerInch() : 72.0;
}

void VQmlFrame::resizeEvent(QResizeEvent *event)
{
    QQuickView::resizeEvent(event);
    if (QQuickItem *root = rootObject()) {
        root->setProperty("width", width());
        root->setProperty("height", height());
    }
}

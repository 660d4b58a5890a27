#include "app/vqmlframe.h"

#include "app/metergaugelocalization.h"
#include "canvas/ccomposite.h"
#include "controls/wqmltypes.h"
#include "formats/uarchive.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>

namespace {

const QUrl RefusedUrl(QStringLiteral("qrc:/refused"));

bool isInside(const QString &path, const QString &folder)
{
    return !folder.isEmpty() && QDir::cleanPath(path).startsWith(folder + QLatin1Char('/'));
}

// Whatever slips past the interceptor still never reaches the network.
class LocalOnlyAccess : public QNetworkAccessManager
{
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request,
                                 QIODevice *outgoingData) override
    {
        if (request.url().isLocalFile() || request.url().scheme() == QLatin1String("qrc"))
            return QNetworkAccessManager::createRequest(op, request, outgoingData);
        qCWarning(lcApp) << "Refused network request" << request.url();
        QNetworkRequest refused(request);
        refused.setUrl(QUrl()); // answered at once with an unknown-protocol error
        return QNetworkAccessManager::createRequest(op, refused, outgoingData);
    }
};

} // namespace

VQmlFrame::VQmlFrame(QWindow *parentWindow)
    : QQuickView(parentWindow)
    , m_parentWindow(parentWindow)
    , m_gaugeLocalization(std::make_unique<MeterGaugeLocalization>())
{
    setResizeMode(QQuickView::SizeRootObjectToView);
    for (const QString &folder : engine()->importPathList()) {
        if (QDir::isAbsolutePath(folder) && !folder.startsWith(QLatin1Char(':')))
            m_qtModuleFolders.append(QDir::cleanPath(folder));
    }
    engine()->setNetworkAccessManagerFactory(this);
    engine()->addUrlInterceptor(this);
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
    engine()->removeUrlInterceptor(this);
    engine()->setNetworkAccessManagerFactory(nullptr);
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

void VQmlFrame::setSetupMenu(const QString &text, const QString &keys)
{
    if (m_qmlInterface)
        m_qmlInterface->setupMenuData(text, keys);
}

qreal VQmlFrame::dotsPerInch() const
{
    const QScreen *s = screen();
    return s ? s->logicalDotsPerInch() : 72.0;
}

QUrl VQmlFrame::intercept(const QUrl &url, QQmlAbstractUrlInterceptor::DataType type)
{
    if (isPermitted(url, type))
        return url;
    qCWarning(lcApp) << "Refused to load" << url;
    return RefusedUrl;
}

QNetworkAccessManager *VQmlFrame::create(QObject *parent)
{
    return new LocalOnlyAccess(parent);
}

bool VQmlFrame::isPermitted(const QUrl &url, QQmlAbstractUrlInterceptor::DataType type) const
{
    if (url.isEmpty() || url.scheme() == QLatin1String("qrc"))
        return true;
    if (!url.isLocalFile())
        return false;
    const QString path = url.toLocalFile();
    for (const QString &folder : m_qtModuleFolders) {
        if (isInside(path, folder))
            return true;
    }
    // Pictures may come from the unpacked archive, never code; only pictures are asked for on
    // this thread, where the archive lives.
    if (type != QQmlAbstractUrlInterceptor::UrlString)
        return false;
    const QString root = UArchive::instance()->header().extractionRoot();
    return !root.isEmpty() && isInside(path, QDir::cleanPath(QDir(root).absolutePath()));
}

void VQmlFrame::resizeEvent(QResizeEvent *event)
{
    QQuickView::resizeEvent(event);
    if (QQuickItem *root = rootObject()) {
        root->setProperty("width", width());
        root->setProperty("height", height());
    }
}

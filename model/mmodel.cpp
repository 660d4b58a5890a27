#include "model/mmodel.h"

#include "app/mainwindow.h"
#include "app/vqmlframe.h"
#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "comm/icomposite.h"
#include "comm/itcpserver.h"
#include "comm/pfileprotocol.h"
#include "comm/pprotocol.h"
#include "comm/pprotocolfactory.h"
#include "controls/vmodemanager.h"
#include "controls/wdelegate.h"
#include "controls/wdropsite.h"
#include "controls/wwidgetfactory.h"
#include "formats/uarchive.h"
#include "formats/uarchiveblock.h"
#include "formats/uarchiveheader.h"
#include "formats/xskinhandler.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"
#include "model/dqmlmessagedialog.h"
#include "model/mproject.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"
#include "util/usettings.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QQuickItem>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <limits>

#include <algorithm>

namespace {
const QString kDemoProject = QStringLiteral(":/data/Veloxa/Demo.cpz");
const QString kPanels = QStringLiteral("Panels");
const QString kScenes = QStringLiteral("Scenes");
const QString kControls = QStringLiteral("Controls");

QString &indicatorImage()
{
    static QString image;
    return image;
}

QString designsSetting()
{
    return USettings::paths().value(QStringLiteral("Path/Designs")).toString();
}

// Without a setting, downloads belong to the program, not to wherever it was started from.
QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// Where a download is looked for, first match first. The working folder still counts, for
// downloads stored there before.
QStringList designsFolders()
{
    const QString setting = designsSetting();
    if (!setting.isEmpty())
        return {setting};
    return {dataFolder(), QStringLiteral(".")};
}

// Tall screens are laid out by width, others by height.
bool isTallScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->geometry().width() <= 0)
        return false;
    const QRect geometry = screen->geometry();
    return double(geometry.height()) / geometry.width() >= 2.0;
}

QString damagedArchive()
{
    return MModel::tr("it is not a project archive, or the archive is damaged");
}

QString noPanelFile()
{
    return MModel::tr("the archive holds no panel file");
}

void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

QList<HChassis *> chassisNodes(HRoot *root)
{
    QList<HChassis *> result;
    QList<HNode *> nodes;
    if (root && root->collectByCategory(QStringLiteral("Chassis"), nodes)) {
        for (HNode *node : std::as_const(nodes)) {
            if (auto *chassis = qobject_cast<HChassis *>(node))
                result.append(chassis);
        }
    }
    return result;
}
} // namespace

MModel::MModel(QObject *parent)
    : QObject(parent)
    , m_interfaces(std::make_unique<IComposite>())
{}

MModel::~MModel()
{
    VModeManager::destroy();
    m_sceneRoot.reset();
    releaseHardware();
    m_hardwareRoot.reset();
    WDelegate::destroy();
    m_interfaces.reset();
    m_project.reset();
    m_receiveServer.reset();
}

void MModel::init()
{
    m_hardwareRoot = std::make_unique<HRoot>();
    m_sceneRoot = std::make_unique<CComposite>(kScenes, QString());
    m_project = std::make_unique<MProject>();

    m_pollTimer = new QTimer(this);
    m_pollTimer->setObjectName(QStringLiteral("polling"));
    connect(m_pollTimer, &QTimer::timeout, this, &MModel::doPolling);

    m_widgetDelegate = WDelegate::instance();
    if (m_widgetDelegate) {
        // Controls live in the control area ("QmlView"); the desktop canvas stands in for it
        // until the area has registered itself.
        QObject *parentItem = m_qmlInterface ? m_qmlInterface->qmlView() : nullptr;
        if (!parentItem)
            parentItem = VModeManager::instance()->canvasItem();
        QQmlContext *context = m_qmlContext;
        if (!context && m_view)
            context = m_view->rootContext();
        m_widgetDelegate->setFactory(std::make_unique<WWidgetFactory>(parentItem, context, this));
        applyScale();
    }
    m_modeManager = VModeManager::instance();

    Q_EMIT selectState(false);
    Q_EMIT ccpState(false);
}

void MModel::setQmlInterface(MQmlInterface *qmlInterface)
{
    m_qmlInterface = qmlInterface;
    QQuickItem *canvasItem = VModeManager::instance()->canvasItem();
    if (!canvasItem)
        return;
    // The desktop document rebuilds or re-reads its rows on these.
    connect(this, &MModel::reloadCanvas, canvasItem,
            [canvasItem] { QMetaObject::invokeMethod(canvasItem, "reloadCanvas"); });
    connect(this, &MModel::resetCanvas, canvasItem,
            [canvasItem] { QMetaObject::invokeMethod(canvasItem, "resetCanvas"); });
}

void MModel::setQmlContext(QQmlContext *context)
{
    m_qmlContext = context;
}

void MModel::setCanvas(CCanvas *canvas)
{
    m_canvas = canvas;
    if (canvas)
        canvas->setModel(this);
}

void MModel::setView(VQmlFrame *view)
{
    m_view = view;
}

void MModel::setMainWindow(MainWindow *window)
{
    m_mainWindow = window;
}

bool MModel::setQmlProperty(const char *name, const QVariant &value)
{
    if (!m_qmlInterface)
        return false;
    m_qmlInterface->setProperty(name, value);
    return true;
}

QString MModel::startupProjectPath() const
{
    for (const QString &folder : designsFolders()) {
        for (const char *name : {"/download.cpn", "/download.cpf"}) {
            const QString path = QDir(folder).path() + QLatin1String(name);
            if (QFileInfo::exists(path))
                return path;
        }
    }
    return kDemoProject;
}

QString MModel::designsDownloadPath(bool create) const
{
    const QString setting = designsSetting();
    const QDir folder(setting.isEmpty() ? dataFolder() : setting);
    if (create && !folder.exists()) {
        if (setting.isEmpty()) {
            folder.mkpath(QStringLiteral("."));
        } else {
            QDir parent = QFileInfo(folder.absolutePath()).dir();
            parent.mkdir(QFileInfo(folder.absolutePath()).fileName());
        }
    }
    return folder.path() + QStringLiteral("/download.cpn");
}

bool MModel::openProject(const QString &path)
{
    if (!m_hardwareRoot || !m_qmlInterface || !m_sceneRoot)
        return false;
    const QString previous = m_currentFile;
    QString reason;
    if (loadProject(path, &reason))
        return true;
    qCWarning(lcModel).noquote() << "Project not opened:" << path << "-" << reason;
    if (path == kDemoProject)
        return false;

    // What the failed attempt read is half a project: start again from empty trees.
    const bool connected = m_connectionsOn;
    QString shown = previous.isEmpty() || previous == path ? kDemoProject : previous;
    reset();
    if (!loadProject(shown, nullptr) && shown != kDemoProject) {
        shown = kDemoProject;
        reset();
        loadProject(shown, nullptr);
    }
    if (connected) {
        setConnectionsEnabled(true);
        connectInterfaces();
    }
    showOpenFailure(path, reason, shown);
    return false;
}

bool MModel::loadProject(const QString &path, QString *reason)
{
    m_sceneRoot->clear();
    m_currentPanel = nullptr;
    m_currentFile = path;

    UArchive *archive = UArchive::instance();
    QString panelFile = path;
    QString designerFile;
    if (UArchive::isArchive(path)) {
        if (!archive->open(path)) {
            setReason(reason, damagedArchive());
            return false;
        }
        panelFile = archive->findFile(QStringLiteral(".cpf"));
        if (panelFile.isEmpty()) {
            setReason(reason, noPanelFile());
            return false;
        }
        designerFile = archive->findFile(QStringLiteral(".vxj"));
    }
    // The designer project first, so that the panel's links find its nodes.
    if (!designerFile.isEmpty()) {
        loadDesignerProject(designerFile);
    } else {
        m_hardwareRoot->removeWhereReferenced(false);
        m_designerFile.clear();
    }

    m_sceneRoot->setCanvas(m_canvas);
    QString loadError;
    if (!m_sceneRoot->load(panelFile, m_hardwareRoot.get(), QString(), this, &loadError)) {
        setReason(reason, loadError.isEmpty() ? tr("the panel file cannot be read") : loadError);
        return false;
    }
    if (m_view && m_canvas && (m_canvas->width() < 1 || m_canvas->height() < 1)) {
        setReason(reason, tr("the panel file gives no usable window size"));
        return false;
    }
    if (!m_sceneRoot->fileVersion().isEmpty())
        m_fileVersion = m_sceneRoot->fileVersion();
    m_sceneRoot->setName(panelFile.mid(panelFile.lastIndexOf(QLatin1Char('/')) + 1));

    m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kPanels));
    if (!m_currentPanel)
        m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kControls));
    activate(m_currentPanel, true);

    refreshView();
    m_modified = false;
    if (m_mainWindow)
        m_mainWindow->fixWindowSize();
    Q_EMIT enableConnection(true);
    return true;
}

void MModel::showOpenFailure(const QString &path, const QString &reason, const QString &shown)
{
    const QString instead = shown == kDemoProject
                                ? tr("The demonstration project is shown instead.")
                                : tr("The project that was open before, \"%1\", is shown again.")
                                      .arg(QFileInfo(shown).fileName());
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Project not opened"),
                                tr("The project \"%1\" could not be opened: %2.")
                                        .arg(QDir::toNativeSeparators(path), reason) +
                                    QStringLiteral("\n\n") + instead,
                                QMessageBox::Ok, m_mainWindow);
    box->setObjectName(QStringLiteral("projectNotOpened"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not exec(): the devices of the project shown keep being served while the box is up.
    box->open();
}

bool MModel::loadDesignerProject(const QString &path)
{
    const bool merge = !m_designerFile.isEmpty();
    if (!merge)
        m_hardwareRoot->removeWhereReferenced(false);
    if (!XVXJHandler::load(m_hardwareRoot.get(), path, merge, m_project.get())) {
        qCWarning(lcModel).noquote() << "Designer project not read:" << path;
        m_designerFile.clear();
        return false;
    }
    m_hardwareRoot->pruneUnused();
    m_designerFile = path;
    return true;
}

void MModel::refreshView()
{
    applyScale();
    centerControls();
    updateSceneMenu();
    updatePageCount();
    updateSceneTitle();
    updateHeaderTitle();
}

void MModel::reset()
{
    if (m_sceneRoot)
        m_sceneRoot->clear();
    if (m_hardwareRoot) {
        releaseHardware();
        m_hardwareRoot = std::make_unique<HRoot>();
    }
    m_currentPanel = nullptr;
    // The designer data went with the hardware tree; the next one is read afresh, not merged.
    m_designerFile.clear();
    Q_EMIT selectState(false);
    Q_EMIT ccpState(false);
    if (m_canvas)
        m_canvas->reset();
}

void MModel::releaseHardware()
{
    // The interface list points into the chassis nodes: forget them before the nodes go, so
    // that a connection closing on its way out never counts an interface already deleted.
    if (!m_interfaces)
        return;
    for (int i = 0; i < m_interfaces->count(); ++i)
        disconnect(m_interfaces->child(i), nullptr, this, nullptr);
    m_interfaces->clear(false);
}

void MModel::applySkin()
{
    // The canvas reloads the views once after this; a reload per file would rebuild the rows
    // three times while a project opens.
    if (!m_canvas || !m_qmlInterface)
        return;
    XSkinHandler::loadSkin(m_qmlInterface, m_canvas->skin());
    XSkinHandler::loadSkin(m_qmlInterface, m_canvas->accent());
}

bool MModel::applySkin(const QString &name)
{
    if (!m_qmlInterface || !XSkinHandler::loadSkin(m_qmlInterface, name))
        return false;
    Q_EMIT reloadCanvas();
    return true;
}

bool MModel::receivePanel()
{
    m_receiving = true;
    const bool received = runReceiveServer();
    if (received) {
        reset();
        openProject(startupProjectPath());
        selectSceneByIndex(0);
        setConnectionsEnabled(true);
        connectInterfaces();
        pollCurrentPanel();
    } else if (m_connectionsOn) {
        // The project that stays open goes on following its devices.
        setPolling(true);
        pollCurrentPanel();
    }
    m_receiving = false;
    Q_EMIT changedStatusIndicator();
    return received;
}

bool MModel::runReceiveServer()
{
    std::unique_ptr<PProtocol> protocol = PProtocolFactory::create(QStringLiteral("File"));
    auto *file = qobject_cast<PFileProtocol *>(protocol.get());
    if (!file) {
        qCDebug(lcModel) << "Failed to get protocol for 'File'";
        return false;
    }
    if (m_receiveServer) {
        qCDebug(lcModel) << "Closing a pre-existing TCP server.";
        m_receiveServer->close();
        m_receiveServer.reset();
    }
    m_receiveServer = std::make_unique<ITcpServer>();
    m_receiveServer->setProtocol(file);
    m_receiveServer->setPort(m_receivePort);
    file->setInterface(m_receiveServer.get());
    setPolling(false);

    bool received = false;
    if (!m_receiveServer->open()) {
        qCDebug(lcModel) << "Failed to open receive mode server.";
        showReceiveResult(tr("Nothing can be received: port %1 cannot be opened (%2).")
                              .arg(m_receivePort)
                              .arg(m_receiveServer->errorString()));
    } else {
        received = receiveDesign(file);
        qCDebug(lcModel) << (received ? "Received new design." : "Did not receive new design.");
        qCDebug(lcModel) << "Closing the server after receive process.";
        m_receiveServer->close();
    }
    qCDebug(lcModel) << "Deleting the server, received or not.";
    m_receiveServer.reset();
    return received;
}

bool MModel::receiveDesign(PFileProtocol *protocol)
{
    protocol->setOwner(this);
    protocol->setCheck(&MModel::checkProject);
    DQmlMessageDialog *box = m_view ? m_view->messageDialog() : nullptr;
    if (box) {
        box->showReceiveBox(
            tr("Waiting for the design tool to send a project to port %1 of this computer, "
               "at:\n%2")
                .arg(m_receiveServer->port())
                .arg(MQmlInterface::mobileIpAddressText(QNetworkInterface::allAddresses())));
    }
    // Lives as long as this receive, and the connections below with it.
    QObject receive;
    bool cancelled = false;
    if (m_qmlInterface) {
        connect(m_qmlInterface, &MQmlInterface::receiveDialogCanceled, &receive, [&] {
            cancelled = true;
            protocol->cancel();
        });
    }
    QString sender;
    QElapsedTimer shown;
    connect(protocol, &PFileProtocol::peerConnected, &receive, [&](const QString &address) {
        sender = address;
        if (box)
            box->setReceiveText(tr("Receiving from %1...").arg(sender));
        shown.start();
    });
    connect(protocol, &PFileProtocol::progress, &receive, [&](qint64 bytes) {
        // A box redrawn for every chunk would slow the transfer down.
        if (!box || shown.elapsed() < ProgressIntervalMs)
            return;
        box->setReceiveText(
            tr("Receiving from %1: %2 bytes so far.").arg(sender, QLocale().toString(bytes)));
        shown.start();
    });

    const bool received = protocol->receiveFile(designsDownloadPath(true));
    if (received || cancelled) {
        if (m_qmlInterface)
            Q_EMIT m_qmlInterface->closeReceiveDialog();
        if (box)
            box->closeReceiveBox();
    } else {
        showReceiveResult(protocol->failure());
    }
    return received;
}

void MModel::showReceiveResult(const QString &failure)
{
    if (m_view)
        m_view->messageDialog()->showReceiveResult(
            tr("No project was received: %1\n\nThe project that was open stays open.")
                .arg(failure));
}

bool MModel::checkProject(const QString &path, QString *reason)
{
    const auto damaged = [reason] {
        setReason(reason, damagedArchive());
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return false;
    }
    if (!UArchive::isArchive(path)) {
        const QString fault = CComposite::panelFileFault(&file);
        setReason(reason, fault);
        return fault.isEmpty();
    }
    // Only the panel file is unpacked; the other entries need only lie inside the file.
    UArchiveHeader header;
    const auto &records = header.records();
    if (!header.read(file) ||
        std::any_of(records.cbegin(), records.cend(),
                    [&](const auto &record) { return !record->blockFits(file.size()); }))
        return damaged();
    const auto panel = std::find_if(records.cbegin(), records.cend(), [](const auto &record) {
        return record->name().contains(QStringLiteral(".cpf"));
    });
    if (panel == records.cend()) {
        setReason(reason, noPanelFile());
        return false;
    }
    QByteArray data;
    if (UArchiveBlock((*panel)->readBlock(file)).unpack(&data) != UArchiveBlock::Result::Unpacked)
        return damaged();
    QBuffer panelFile(&data);
    panelFile.open(QIODevice::ReadOnly);
    const QString fault = CComposite::panelFileFault(&panelFile);
    setReason(reason, fault);
    return fault.isEmpty();
}

void MModel::computeViewScale()
{
    if (!m_hardwareRoot || !m_qmlInterface)
        return;
    float contentHeight = m_qmlInterface->property("maxControlHeight").toFloat();
    const QRectF bounds = m_sceneRoot ? m_sceneRoot->boundingRect() : QRectF();
    if (bounds.height() > 0)
        contentHeight = float((2 * bounds.y() + bounds.height()) / m_pixelScale);
    if (QObject *view = m_qmlInterface->qmlView()) {
        m_viewHeight = view->property("height").toFloat();
        m_viewWidth = view->property("width").toFloat();
    }
    if (m_viewHeight <= 0 || contentHeight <= 0)
        return;
    m_pixelScale = m_viewHeight / contentHeight;
    setQmlProperty("viewScale", m_pixelScale);
}

void MModel::applyScale()
{
    if (!m_hardwareRoot || !m_qmlInterface)
        return;
    computeViewScale();
    if (m_viewHeight <= 0)
        return;
    if (m_widgetDelegate) {
        m_widgetDelegate->setAspect(m_canvas ? m_canvas->aspect() : 1.0f);
        m_widgetDelegate->setPixelScale(m_pixelScale);
    }
    const float dimension = isTallScreen() ? m_viewWidth : m_viewHeight;
    m_sceneRoot->rescale(1.0f, dimension, getIsScaleMultiply());
    setQmlProperty("textSize", int(12.0f * m_pixelScale));
    setQmlProperty("pixelScale", m_pixelScale);
}

void MModel::centerControls()
{
    if (!m_sceneRoot || !m_qmlInterface || !m_qmlInterface->qmlView())
        return;
    if (m_canvas && !m_canvas->horizcenter()) {
        if (!m_currentPanel || !m_currentPanel->name().contains(QStringLiteral("ToneEQ")))
            return;
    }
    const float width = m_qmlInterface->qmlView()->property("width").toFloat();
    m_sceneRoot->centre(kControls, width);
}

bool MModel::getIsScaleMultiply() const
{
    return m_canvas ? m_canvas->multiplyScaleFactor() : true;
}

CComposite *MModel::currentScene() const
{
    return m_sceneRoot ? qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kScenes)) : nullptr;
}

void MModel::updatePageCount()
{
    if (!m_sceneRoot)
        return;
    m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kPanels));
    CComposite *scene = currentScene();
    setQmlProperty("pageCount", scene ? scene->childCount() : 0);
    setQmlProperty("pageIndex", scene ? scene->currentIndex() : 0);
}

void MModel::updateSceneTitle()
{
    CComposite *scene = currentScene();
    setQmlProperty("sceneTitle", scene ? scene->name() : QString());
}

void MModel::updateHeaderTitle()
{
    if (m_project)
        setQmlProperty("headerTitle", m_project->facilityName());
}

void MModel::updateSceneMenu()
{
    if (!m_qmlInterface || !m_sceneRoot)
        return;
    QStringList names;
    for (int i = 0; i < m_sceneRoot->childCount(); ++i)
        names.append(m_sceneRoot->child(i)->name());
    m_qmlInterface->setSceneMenu(names);
}

void MModel::activate(CComposite *panel, bool on)
{
    if (!panel)
        return;
    if (on)
        qCInfo(lcModel).noquote() << "panel shown:" << panel->name();
    panel->setActive(on);
}

void MModel::pollPanel(CComposite *panel)
{
    if (panel)
        panel->poll();
}

void MModel::setPanelPolling(bool on)
{
    if (m_currentPanel)
        m_currentPanel->setPollingEnabled(on);
}

void MModel::setConnectionsEnabled(bool on)
{
    for (HChassis *chassis : chassisNodes(m_hardwareRoot.get()))
        enableChassis(chassis, on);
    setPolling(on);
    m_connectionsOn = on;
}

void MModel::enableChassis(HChassis *chassis, bool on)
{
    chassis->setEnabled(on);
    if (PProtocol *protocol = chassis->protocol()) {
        connect(chassis, &HChassis::onlineStateChanged, protocol, &PProtocol::onOnlineStateChanged,
                Qt::UniqueConnection);
        protocol->onOnlineStateChanged(on);
        protocol->setOwner(this);
    }
}

HNode *MModel::dragNode(const QString &text, const QString &data) const
{
    if (!m_hardwareRoot)
        return nullptr;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (ok && number != 0) {
        const bool fits =
            number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max();
        return fits ? m_hardwareRoot->findById(int(number)) : nullptr;
    }
    const qsizetype bar = data.indexOf(QLatin1Char('|'));
    if (bar <= 0)
        return nullptr;
    return m_hardwareRoot->findByCategoryAndAttribute(data.left(bar), QStringLiteral("id"),
                                                      data.mid(bar + 1));
}

QString MModel::templateFor(const HNode *node, const WDropSite *site)
{
    const QString plain = node ? node->templatePath() : QString();
    if (!plain.endsWith(QLatin1String(".xml")))
        return QString();
    const QString flat = QString(plain).insert(plain.size() - 4, QLatin1Char('1'));
    const QRectF area = site ? site->rect() : QRectF();
    const bool wide = area.width() > area.height();
    for (const QString &path : {wide ? flat : plain, wide ? plain : flat}) {
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

HNode *MModel::droppableNode(const QString &text, const QString &data, const WDropSite *site,
                             QString *reason) const
{
    HNode *node = dragNode(text, data);
    if (!node) {
        const bool numbered = text.toLongLong() != 0;
        setReason(reason, tr("The project has no node %1.").arg(numbered ? text : data));
        return nullptr;
    }
    if (site) {
        const CControl *owner = site->owner();
        const CComposite *panel = owner ? owner->parentComposite() : nullptr;
        if (!panel || panel->panelType() != CComposite::Template) {
            setReason(reason,
                      tr("Nodes can be placed on the drop sites of a template panel only."));
            return nullptr;
        }
        if (!site->acceptedText().isEmpty() && site->acceptedText() != node->label()) {
            setReason(reason, tr("This drop site takes \"%1\" only.").arg(site->acceptedText()));
            return nullptr;
        }
    }
    if (templateFor(node, site).isEmpty()) {
        setReason(reason, tr("\"%1\" has no module template.").arg(node->label()));
        return nullptr;
    }
    return node;
}

bool MModel::dropNode(WDropSite *site, const QString &text, const QString &data)
{
    QString reason;
    HNode *node = droppableNode(text, data, site, &reason);
    auto built = std::make_unique<CComposite>(QStringLiteral("Template"), QString());
    if (node && built->loadTemplate(templateFor(node, site), node, this, &reason) &&
        built->childCount() == 0)
        reason = tr("the module template holds no control");
    if (!node || built->childCount() == 0) {
        qCWarning(lcModel).noquote() << "drop refused:" << reason;
        auto *box = new QMessageBox(
            QMessageBox::Warning, tr("Node not placed"),
            node ? tr("\"%1\" was not placed: %2.").arg(node->label(), reason) : reason,
            QMessageBox::Ok, m_mainWindow);
        box->setObjectName(QStringLiteral("dropRefused"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return false;
    }
    CComposite *panel = site->owner()->parentComposite();
    site->removeDropped();
    built->fitInto(site->rect());
    QList<CControl *> controls;
    while (built->childCount() > 0) {
        std::unique_ptr<CControl> control = built->takeChild(built->child(0));
        controls.append(control.get());
        panel->addChild(std::move(control));
    }
    site->setDroppedControls(controls);
    node->setReferenced(true);
    qCInfo(lcModel).noquote() << "dropped:" << node->label() << "as" << controls.size()
                              << "controls on" << panel->name();
    // A device that no control used until now gets its connection.
    auto *chassis = qobject_cast<HChassis *>(node->ancestorWithMarks(HNode::FlagChassis));
    if (chassis && m_connectionsOn && !chassis->isOnline()) {
        enableChassis(chassis, true);
        connectInterfaces();
    }
    dropSiteChanged(site);
    return true;
}

void MModel::dropSiteChanged(WDropSite *site)
{
    const CComposite *panel = site && site->owner() ? site->owner()->parentComposite() : nullptr;
    for (CControl *control : site ? site->droppedControls() : QList<CControl *>())
        control->setActive(panel == m_currentPanel);
    m_modified = true;
    if (!m_sceneRoot || m_sceneRoot->countBound() == 0)
        Q_EMIT enableConnection(false);
    pollCurrentPanel();
    if (m_mainWindow)
        m_mainWindow->fixWindowSize();
}

void MModel::setPolling(bool on)
{
    if (m_pollTimer) {
        if (on)
            m_pollTimer->start(PollIntervalMs);
        else
            m_pollTimer->stop();
    }
    m_pollingActive = on;
    setPanelPolling(on);
}

void MModel::connectInterfaces()
{
    m_interfaces->clear(false);
    for (HChassis *chassis : chassisNodes(m_hardwareRoot.get())) {
        if (IInterface *interface = chassis->interface()) {
            m_interfaces->add(interface);
            connect(interface, &IInterface::interfaceStateChanged, this,
                    &MModel::interfaceStatusChanged, Qt::UniqueConnection);
        }
    }
    m_interfaces->notifyState();
}

void MModel::pollCurrentPanel()
{
    pollPanel(m_currentPanel);
}

void MModel::doPolling()
{
    pollPanel(m_currentPanel);
    m_pollingActive = true;
    setPanelPolling(true);
}

bool MModel::isPollTimerActive() const
{
    return m_pollTimer && m_pollTimer->isActive();
}

void MModel::setPollingEnabled(bool on)
{
    m_pollingActive = on;
    setPanelPolling(on);
    // The next tick then comes a full interval after the device asked for quiet.
    if (!on && m_pollTimer && m_pollTimer->isActive())
        m_pollTimer->start();
}

QString MModel::connectionIndicator()
{
    return indicatorImage();
}

void MModel::interfaceStatusChanged(bool isConnected)
{
    if (!m_qmlInterface || !m_interfaces)
        return;
    // A device that is linked but answers nothing is as useless as one that is down.
    const int connected = m_interfaces->answeringCount();
    const int total = m_interfaces->count();
    const QString skin = m_canvas ? m_canvas->skin() : QString();
    QString image = QStringLiteral("../../images/skins/") + skin;
    if (connected == 0)
        image += QStringLiteral("/indicator_red.png");
    else if (connected == total)
        image += QStringLiteral("/indicator_grn.png");
    else
        image += QStringLiteral("/indicator_ylw.png");
    setQmlProperty("connectInd", image);
    if (image != indicatorImage())
        qCInfo(lcModel).noquote() << "connection indicator:" << image;
    indicatorImage() = image;
    if (m_receiving)
        return;
    Q_EMIT changedStatusIndicator();
    if (!isConnected)
        m_interfaces->resetSubscriptionMode();
}

void MModel::applicationStateChanged(Qt::ApplicationState state)
{
    if (!m_interfaces || !m_currentPanel)
        return;
    if (state != Qt::ApplicationActive) {
        m_interfaces->stop();
        return;
    }
    m_interfaces->start();
    pollCurrentPanel();
}

void MModel::aboutToQuit()
{
    // The window owns the model and deletes it after the view; here the devices only see a
    // clean close while the event loop still runs.
    setConnectionsEnabled(false);
}

void MModel::onExtraRefreshTimerTimeout()
{
    refreshView();
}

bool MModel::showPanel(int index)
{
    CComposite *scene = m_currentPanel ? m_currentPanel->parentComposite() : nullptr;
    if (!scene || scene->kind() != QStringLiteral("Scene")) {
        m_currentPanel = nullptr;
        return false;
    }
    activate(m_currentPanel, false);
    scene->setCurrentIndex(index);
    m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kPanels));
    activate(m_currentPanel, true);
    if (m_currentPanel && m_currentPanel->name().contains(QStringLiteral("ToneEQ")))
        centerControls();
    setQmlProperty("pageIndex", index);
    pollPanel(m_currentPanel);
    return true;
}

bool MModel::stepPanel(int delta)
{
    CComposite *scene = m_currentPanel ? m_currentPanel->parentComposite() : nullptr;
    if (!scene)
        return false;
    const int count = scene->childCount();
    int index = scene->currentIndex() + delta;
    if (index >= count)
        index = 0;
    else if (index < 0)
        index = count - 1;
    return showPanel(index);
}

bool MModel::navigate(const QString &command)
{
    if (command == QStringLiteral("leftarrow"))
        return stepPanel(-1);
    if (command == QStringLiteral("rightarrow"))
        return stepPanel(1);
    return false;
}

void MModel::selectPanel(CComposite *panel)
{
    if (panel == m_currentPanel)
        return;
    activate(m_currentPanel, false);
    CComposite *scene = panel ? panel->parentComposite() : nullptr;
    const int index = scene ? scene->indexOf(panel) : -1;
    if (index < 0) {
        m_currentPanel = nullptr;
        return;
    }
    scene->setCurrentIndex(index);
    m_currentPanel = panel;
    activate(panel, true);
    setQmlProperty("pageIndex", index);
    pollPanel(panel);
    Q_EMIT resetQMLFocus();
}

bool MModel::selectScene(const QString &name)
{
    CComposite *scene = currentScene();
    if (scene && scene->name() == name)
        return true;
    activate(m_currentPanel, false);
    if (!m_sceneRoot || !m_sceneRoot->selectByName(kScenes, name))
        return false;
    bool result = true;
    m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kPanels));
    if (m_currentPanel) {
        activate(m_currentPanel, true);
        updatePageCount();
        pollPanel(m_currentPanel);
    } else {
        result = false;
    }
    updateSceneTitle();
    Q_EMIT resetQMLFocus();
    return result;
}

bool MModel::selectSceneByIndex(int index)
{
    CControl *scene = m_sceneRoot ? m_sceneRoot->child(index) : nullptr;
    return scene && selectScene(scene->name());
}

bool MModel::jumpToPanel(const QString &link)
{
    if (!m_sceneRoot)
        return true;
    m_sceneRoot->setActive(false);
    const bool found = m_sceneRoot->jumpTo(link);
    if (found) {
        m_currentPanel = qobject_cast<CComposite *>(m_sceneRoot->findCurrent(kPanels));
        activate(m_currentPanel, true);
        CComposite *scene = currentScene();
        setQmlProperty("pageIndex", scene ? scene->currentIndex() : 0);
        updatePageCount();
        pollPanel(m_currentPanel);
        updateSceneTitle();
        Q_EMIT resetQMLFocus();
    } else {
        activate(m_currentPanel, true);
        showLinkWarning(link);
    }
    Q_EMIT reloadCanvas();
    return found;
}

void MModel::showLinkWarning(const QString &link)
{
    QMessageBox box(QMessageBox::Warning, tr("Warning"),
                    tr("Error - No link has been defined for this region.\n\nPlease set a link "
                       "using the properties panel.") +
                        link,
                    QMessageBox::Ok);
    box.exec();
}

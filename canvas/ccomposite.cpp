#include "canvas/ccomposite.h"

#include "canvas/ccanvas.h"
#include "formats/xcontrolhandler.h"
#include "formats/xmlguard.h"
#include "model/mmodel.h"
#include "util/logcategories.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QXmlInputSource>
#include <QXmlSimpleReader>
#include <QXmlStreamReader>

namespace {

constexpr int StateTimerInterval = 5;

QString childKindOf(const QString &kind)
{
    if (kind == QLatin1String("Scene"))
        return QStringLiteral("Panels");
    if (kind == QLatin1String("Panel"))
        return QStringLiteral("Controls");
    return QStringLiteral("Scenes");
}

} // namespace

CComposite::CComposite(const QString &kind, const QString &name, QObject *parent)
    : CControl(kind, name, childKindOf(kind), parent)
{
    m_stateTimer.setSingleShot(true);
    m_stateTimer.setInterval(StateTimerInterval);
    connect(&m_stateTimer, &QTimer::timeout, this, &CComposite::onGetStateTimerTimeout);
}

CComposite::~CComposite() = default;

void CComposite::finish()
{
    for (const auto &child : m_children)
        child->finish();
}

bool CComposite::poll()
{
    if (!m_pollingEnabled)
        return true;
    if (m_pollCursor <= 0 || m_pollCursor >= childCount())
        m_pollCursor = 0;
    if (!pollChildAtCursor())
        return true;
    if (m_pollCursor < childCount())
        m_stateTimer.start();
    return true;
}

void CComposite::onGetStateTimerTimeout()
{
    if (m_pollCursor >= childCount()) {
        m_pollCursor = 0;
        return;
    }
    if (!m_pollingEnabled || !pollChildAtCursor())
        return;
    if (m_pollCursor < childCount())
        m_stateTimer.start();
}

// Polls the child under the cursor and moves past it; false, leaving the cursor on the child,
// when the chain has to stop there.
bool CComposite::pollChildAtCursor()
{
    CControl *record = child(m_pollCursor);
    if (!record || !record->poll())
        return false;
    ++m_pollCursor;
    return true;
}

QRectF CComposite::boundingRect() const
{
    if (isPanel()) {
        for (const auto &record : m_children) {
            if (record->widgetKind() == QLatin1String("bounds"))
                return record->boundingRect();
        }
    }
    QRectF bounds;
    for (const auto &record : m_children)
        bounds |= record->boundingRect();
    return bounds;
}

void CComposite::setActive(bool on)
{
    for (const auto &record : m_children)
        record->setActive(on);
}

void CComposite::rescale(double factor, double dimension, bool multiply)
{
    if (isPanel()) {
        // Tall screens fit the panel's width, the others its height.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRectF bounds = boundingRect();
        const bool tall = screen && screen->geometry().width() > 0 &&
                          qreal(screen->geometry().height()) / screen->geometry().width() >= 2.0;
        const double extent = tall ? bounds.width() : bounds.height();
        if (extent <= 0)
            return;
        factor = dimension / extent;
    }
    for (const auto &record : m_children)
        record->rescale(factor, dimension, multiply);
}

void CComposite::centre(const QString &kind, double width)
{
    if (width <= 0)
        return;
    if (isPanel() && m_panelType == Custom) {
        const CCanvas *attributes = canvas();
        const QRectF content = boundingRect();
        if (attributes && attributes->horizcenter() && content.width() > 0 && content.height() > 0)
            moveChildren(centringOffset(content, width));
        return;
    }
    if (childKind() == kind) {
        moveChildren(centringOffset(boundingRect(), width));
        return;
    }
    for (const auto &record : m_children)
        record->centre(kind, width);
}

void CComposite::moveBy(double dx)
{
    moveChildren(dx);
}

void CComposite::moveChildren(double dx)
{
    for (const auto &record : m_children)
        record->moveBy(dx);
}

void CComposite::linkPass(int pass)
{
    for (const auto &record : m_children)
        record->linkPass(pass);
}

bool CComposite::hasChildOfKind(const QString &kind) const
{
    for (const auto &record : m_children) {
        if (record->widgetKind() == kind || record->hasChildOfKind(kind))
            return true;
    }
    return false;
}

void CComposite::addChild(std::unique_ptr<CControl> child)
{
    if (!child)
        return;
    child->setParentComposite(this);
    m_children.push_back(std::move(child));
}

std::unique_ptr<CControl> CComposite::takeChild(const CControl *child)
{
    const int index = indexOf(child);
    if (index < 0)
        return nullptr;
    std::unique_ptr<CControl> taken = std::move(m_children[size_t(index)]);
    m_children.erase(m_children.begin() + index);
    // The poll chain goes on with the control that followed.
    if (index < m_pollCursor)
        --m_pollCursor;
    taken->setParentComposite(nullptr);
    return taken;
}

void CComposite::fitInto(const QRectF &target)
{
    const QRectF source = boundingRect();
    if (source.isEmpty() || target.isEmpty())
        return;
    const double scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    const QPointF shift = target.center() - source.center() * scale;
    for (const auto &record : m_children) {
        const QRectF rect = record->controlRect();
        record->place(QRectF(rect.topLeft() * scale + shift, rect.size() * scale));
    }
}

void CComposite::clear()
{
    m_stateTimer.stop();
    m_children.clear();
    m_currentIndex = 0;
    m_pollCursor = 0;
}

CControl *CComposite::findCurrent(const QString &kind) const
{
    CControl *current = child(m_currentIndex);
    if (!current)
        return nullptr;
    if (childKind() == kind)
        return current;
    return current->findCurrent(kind);
}

bool CComposite::selectByName(const QString &kind, const QString &name)
{
    if (childKind() != kind) {
        for (const auto &record : m_children) {
            if (record->selectByName(kind, name))
                return true;
        }
        return false;
    }
    for (int i = 0; i < childCount(); ++i) {
        if (child(i)->name() == name) {
            m_currentIndex = i;
            return true;
        }
    }
    return false;
}

bool CComposite::jumpTo(const QString &link)
{
    QString rest = link;
    if (!matchLinkSegment(rest))
        return false;
    if (rest.isEmpty())
        return true;
    for (int i = 0; i < childCount(); ++i) {
        if (child(i)->jumpTo(rest)) {
            m_currentIndex = i;
            return true;
        }
    }
    return false;
}

int CComposite::countBound() const
{
    int count = 0;
    for (const auto &record : m_children)
        count += record->countBound();
    return count;
}

void CComposite::setModel(MModel *model)
{
    CControl::setModel(model);
    for (const auto &record : m_children)
        record->setModel(model);
}

bool CComposite::load(const QString &path, HRoot *hardwareRoot, const QString &filter,
                      MModel *model, QString *error)
{
    XControlHandler handler(this, hardwareRoot, model ? model->project() : nullptr, canvas());
    handler.setNameFilter(filter);
    return read(path, tr("the panel file"), handler, model, error);
}

bool CComposite::loadTemplate(const QString &path, HNode *node, MModel *model, QString *error)
{
    XControlHandler handler(this, nullptr, nullptr, nullptr);
    handler.setTemplateNode(node);
    return read(path, tr("the module template"), handler, model, error);
}

bool CComposite::read(const QString &path, const QString &document, XControlHandler &handler,
                      MModel *model, QString *error)
{
    setModel(model);
    const auto fail = [&](const QString &reason) {
        qCWarning(lcPanel).noquote() << "CComposite::load:" << path << "-" << reason;
        if (error)
            *error = reason;
        setModel(model);
        return false;
    };
    QFile file(path);
    // Not text mode: it drops every CR byte, which breaks UTF-16; XML handles line ends itself.
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("%1 cannot be read").arg(document));
    XmlGuard guard = panelFileGuard();
    if (!guard.check(&file))
        return fail(guard.reason());
    if (!file.seek(0))
        return fail(tr("%1 cannot be read").arg(document));
    QXmlInputSource source(&file);
    QXmlSimpleReader reader;
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    if (!reader.parse(&source))
        return fail(XmlGuard::malformed(document, handler.errorLine(), handler.errorMessage()));
    finish();
    linkPass(0);
    linkPass(1);
    setModel(model);
    return true;
}

QString CComposite::panelFileFault(QIODevice *device)
{
    XmlGuard guard = panelFileGuard();
    if (!guard.check(device))
        return guard.reason();
    if (!device->seek(0))
        return tr("the panel file cannot be read");
    QXmlStreamReader reader(device);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("VXB"))
        return tr("it is not a panel file");
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            (reader.name() == QLatin1String("Panel") || reader.name() == QLatin1String("Controls")))
            return {};
    }
    return tr("the panel file holds no panel");
}

XmlGuard CComposite::panelFileGuard()
{
    XmlGuard guard(tr("the panel file"));
    guard.limit(QStringLiteral("Control"), XControlHandler::MaxControls, tr("controls"));
    guard.limit(QStringLiteral("Panel"), XControlHandler::MaxPanels, tr("panels"));
    guard.limit(QStringLiteral("Scene"), XControlHandler::MaxPanels, tr("scenes"));
    return guard;
}

CControl *CComposite::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return m_children[size_t(index)].get();
}

int CComposite::childCount() const
{
    return int(m_children.size());
}

int CComposite::indexOf(const CControl *child) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (m_children[size_t(i)].get() == child)
            return i;
    }
    return -1;
}

void CComposite::setCurrentIndex(int index)
{
    m_currentIndex = index;
}

void CComposite::setPollingEnabled(bool on)
{
    m_pollingEnabled = on;
}

void CComposite::setPanelType(const QString &type)
{
    if (type == QLatin1String("complete"))
        m_panelType = Complete;
    else if (type == QLatin1String("template"))
        m_panelType = Template;
    else if (type == QLatin1String("custom"))
        m_panelType = Custom;
}

void CComposite::classifyByContent()
{
    if (hasChildOfKind(QStringLiteral("dropsite")))
        m_panelType = Template;
    else if (childCount() == 1)
        m_panelType = Custom;
    else
        m_panelType = Complete;
}

CCanvas *CComposite::canvas() const
{
    if (m_canvas || !parentComposite())
        return m_canvas;
    return parentComposite()->canvas();
}

void CComposite::setCanvas(CCanvas *canvas)
{
    m_canvas = canvas;
}

void CComposite::setFileVersion(const QString &version)
{
    m_fileVersion = version;
}

bool CComposite::isPanel() const
{
    return kind() == QLatin1String("Panel");
}

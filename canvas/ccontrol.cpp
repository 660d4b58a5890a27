#include "canvas/ccontrol.h"

#include "comm/pprotocol.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "controls/wdelegate.h"
#include "controls/wwidget.h"
#include "controls/wwidgetfactory.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

CControl::CControl(const QString &kind, const QString &name, const QString &childKind,
                   QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_childKind(childKind)
    , m_kind(kind)
    , m_id(WDelegate::instance()->nextId())
{}

CControl::~CControl()
{
    destroyWidgets();
}

void CControl::destroyWidgets()
{
    // Every widget hears destroy() before any document goes: peers may still reach each other.
    for (qsizetype i = 0; i < m_widgets.size(); ++i) {
        if (m_documents.at(i))
            m_widgets.at(i)->destroy();
    }
    for (const QPointer<QObject> &document : std::as_const(m_documents))
        delete document.data();
    m_documents.clear();
    m_widgets.clear();
    m_widget = nullptr;
}

void CControl::finish()
{
    m_transform = TTransformFactory::create(m_attributes, m_node);
    // One line per value that reaches the control: the demonstration run checks them.
    if (m_transform && lcCanvas().isDebugEnabled()) {
        connect(m_transform.get(), &TTransform::replyValueReady, this,
                [this] { qCDebug(lcCanvas).noquote() << "device value:" << m_name; });
    }
    setUpWidgets();
}

void CControl::setUpWidgets()
{
    const QRectF rect = controlRect();
    for (WWidget *widget : std::as_const(m_widgets)) {
        widget->setNode(m_node);
        widget->setTransform(m_transform.get());
        widget->setProtocol(m_node ? m_node->protocol() : nullptr);
        WWidget *peer = nullptr;
        for (WWidget *other : std::as_const(m_widgets)) {
            if (widget->link() != 0 && other != widget && other->id() == widget->link())
                peer = other;
        }
        widget->setPeer(peer);
        widget->configure(&m_attributes);
        widget->place(rect);
    }
}

QRectF CControl::controlRect() const
{
    if (!m_widget)
        return QRectF();
    const QRectF first = m_widget->rect();
    const double width =
        m_widget->widthfract() > 0 ? first.width() / m_widget->widthfract() : first.width();
    const double height =
        m_widget->heightfract() > 0 ? first.height() / m_widget->heightfract() : first.height();
    return QRectF(first.x() - width * m_widget->xfract(), first.y() - height * m_widget->yfract(),
                  width, height);
}

QString CControl::toolTip() const
{
    return m_node ? m_node->label() + QLatin1String(" - ") + m_name : m_name;
}

bool CControl::poll()
{
    if (m_attributes.doNotPoll() || !m_transform || !m_node || !m_node->protocol())
        return true;
    if (!m_transform->excludedFromRead() && m_transform->tick())
        m_node->protocol()->read(m_transform.get());
    return true;
}

QRectF CControl::boundingRect() const
{
    QRectF bounds;
    for (const WWidget *widget : m_widgets)
        bounds |= widget->rect();
    return bounds;
}

void CControl::setActive(bool on)
{
    for (WWidget *widget : std::as_const(m_widgets))
        widget->setVisible(on);
    if (on && m_transform)
        qCDebug(lcCanvas).noquote() << "value control:" << m_name;
}

void CControl::rescale(double factor, double, bool multiply)
{
    for (WWidget *widget : std::as_const(m_widgets))
        widget->scale(factor, multiply);
}

void CControl::centre(const QString &kind, double width)
{
    if (width <= 0 || m_childKind != kind)
        return;
    moveBy(centringOffset(boundingRect(), width));
}

double CControl::centringOffset(const QRectF &rect, double width)
{
    return (width - (rect.x() + rect.width()) - rect.x()) / 2;
}

// Drop sites resolve their references here once every record exists.
void CControl::linkPass(int pass)
{
    for (WWidget *widget : std::as_const(m_widgets))
        widget->linkPass(pass);
}

bool CControl::hasChildOfKind(const QString &) const
{
    return false;
}

CControl *CControl::findCurrent(const QString &) const
{
    return nullptr;
}

bool CControl::selectByName(const QString &, const QString &)
{
    return false;
}

bool CControl::jumpTo(const QString &link)
{
    QString rest = link;
    return matchLinkSegment(rest) && rest.isEmpty();
}

bool CControl::matchLinkSegment(QString &link) const
{
    const qsizetype separator = link.indexOf(QLatin1Char('\\'));
    const QString segment = separator < 0 ? link : link.left(separator);
    const bool matches = segment == m_name || (m_name.isNull() && segment == QLatin1String(".."));
    if (matches)
        link = separator < 0 ? QString() : link.mid(separator + 1);
    return matches;
}

int CControl::countBound() const
{
    return m_transform ? 1 : 0;
}

void CControl::setNode(HNode *node)
{
    m_node = node;
}

void CControl::setModel(MModel *model)
{
    m_model = model;
}

void CControl::moveBy(double dx)
{
    for (WWidget *widget : std::as_const(m_widgets))
        widget->moveBy(dx, 0);
}

void CControl::place(const QRectF &rect)
{
    for (WWidget *widget : std::as_const(m_widgets))
        widget->place(rect);
}

void CControl::processWidget(const QString &part, const QString &name, const QString &value)
{
    if (part != m_openPart) {
        m_openPart = part;
        m_openWidget = createWidget(part);
    }
    if (m_openWidget)
        m_openWidget->processProperty(name, value);
}

void CControl::widgetEnded(const QString &part)
{
    if (part == m_openPart) {
        m_openPart.clear();
        m_openWidget = nullptr;
    }
}

WWidget *CControl::createWidget(const QString &part)
{
    if (m_widgetKind.isEmpty())
        m_widgetKind = part;
    WWidgetFactory *factory = WDelegate::instance()->factory();
    WWidget *widget = factory ? factory->createWidget(part) : nullptr;
    if (!widget) {
        qCDebug(lcCanvas) << "CControl::createWidget: no widget for" << part << "in" << m_name;
        return nullptr;
    }
    m_documents.append(widget->quickItem());
    widget->setType(part);
    widget->setOwner(this);
    if (!m_widget)
        m_widget = widget;
    m_widgets.append(widget);
    return widget;
}

void CControl::setName(const QString &name)
{
    m_name = name;
}

void CControl::setId(quint64 id)
{
    m_id = id;
}

void CControl::setParentComposite(CComposite *parent)
{
    m_parentComposite = parent;
}

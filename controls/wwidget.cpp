#include "controls/wwidget.h"

#include "canvas/ccontrol.h"
#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

#include <QColor>
#include <QMessageBox>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>

namespace {

// Ids that do not parse or do not fit 32 bits read as 0.
quint32 toId(const QString &text)
{
    bool ok = false;
    const quint32 value = text.toUInt(&ok, 10);
    return ok ? value : 0;
}

// What a screen can show. A panel file may hold any number for a position, a size or a size
// factor; beyond these the view documents would allocate images and glyphs of gigabytes.
constexpr double ScreenLimit = 16384;
// Image and text sizes are given as multiples of the item's height.
constexpr double MaxHeightFactor = 4;

struct ScreenBound
{
    const char *name;
    double lowest;
    double highest;
};

constexpr ScreenBound ScreenBounds[] = {
    {"x", -ScreenLimit, ScreenLimit},  {"y", -ScreenLimit, ScreenLimit},
    {"width", 0, ScreenLimit},         {"height", 0, ScreenLimit},
    {"borderWidth", 0, ScreenLimit},   {"maxCachedImageWidth", 0, ScreenLimit},
    {"imageSize", 0, MaxHeightFactor}, {"textScale", 0, MaxHeightFactor},
};

// Every geometry value reaches the documents here, whether read, scaled or moved; a value that
// is not a finite number becomes 0.
QVariant boundToScreen(const char *name, const QVariant &value)
{
    for (const ScreenBound &bound : ScreenBounds) {
        if (qstrcmp(name, bound.name) != 0)
            continue;
        bool ok = false;
        double number = value.toDouble(&ok);
        number = ok && std::isfinite(number) ? std::clamp(number, bound.lowest, bound.highest) : 0;
        if (value.typeId() == QMetaType::Int)
            return QVariant(int(number));
        return QVariant(number);
    }
    return value;
}

} // namespace

WWidget::WWidget(QQuickItem *parent)
    : QQuickItem(parent)
{}

WWidget::~WWidget() = default;

void WWidget::initWidget() {}

void WWidget::destroy() {}

void WWidget::configure(const CAttributes *) {}

void WWidget::refresh() {}

void WWidget::setup() {}

bool WWidget::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeEndElement();
    return true;
}

bool WWidget::saveStart(XmlWriter &writer)
{
    if (!m_pWidget)
        return false;
    writer.writeStartElement(m_type);
    if (m_id != 0)
        writer.writeUInt(QStringLiteral("id"), m_id);
    if (m_link != 0)
        writer.writeUInt(QStringLiteral("link"), m_link);
    const QRectF geometry = rect();
    writer.writeDouble(QStringLiteral("x"), geometry.x());
    writer.writeDouble(QStringLiteral("y"), geometry.y());
    writer.writeDouble(QStringLiteral("width"), geometry.width());
    writer.writeDouble(QStringLiteral("height"), geometry.height());
    writer.writeUInt(QStringLiteral("z"), quint32(qMax(0.0, itemProperty("z").toDouble())));
    writer.writeDouble(QStringLiteral("xfract"), m_xfract);
    writer.writeDouble(QStringLiteral("yfract"), m_yfract);
    writer.writeDouble(QStringLiteral("widthfract"), m_widthfract);
    writer.writeDouble(QStringLiteral("heightfract"), m_heightfract);
    return true;
}

bool WWidget::processProperty(const QString &name, const QString &value)
{
    // The label document sizes its text for a fader caption.
    if (m_type == QLatin1String("label") && m_owner &&
        m_owner->childKind() == QLatin1String("Slider"))
        setItemProperty("sliderLabel", true);

    if (name == QLatin1String("x") || name == QLatin1String("y") ||
        name == QLatin1String("width") || name == QLatin1String("height") ||
        name == QLatin1String("z"))
        return processRect(name, value);
    if (name == QLatin1String("id")) {
        m_id = toId(value);
        return true;
    }
    if (name == QLatin1String("link")) {
        m_link = toId(value);
        return true;
    }
    if (processFraction(name, value))
        return true;
    if (name == QLatin1String("title")) {
        setText(value);
        return true;
    }
    return false;
}

bool WWidget::processRect(const QString &name, const QString &value)
{
    if (!m_pWidget) {
        qCWarning(lcControls) << "WWidget::processRect m_pWidget is not defined";
        return false;
    }
    if (name == QLatin1String("z")) {
        bool ok = false;
        const int z = value.toInt(&ok, 10);
        setItemProperty("z", ok ? z : 0);
    } else {
        setItemProperty(name.toLatin1().constData(), value.toDouble());
    }
    return true;
}

bool WWidget::processFraction(const QString &name, const QString &value)
{
    // Moving a left or top edge keeps the opposite edge where it was; the sizes stored after
    // the edges in the file then win.
    if (name == QLatin1String("xfract")) {
        const double old = m_xfract;
        m_xfract = value.toDouble();
        m_widthfract -= m_xfract - old;
    } else if (name == QLatin1String("yfract")) {
        const double old = m_yfract;
        m_yfract = value.toDouble();
        m_heightfract -= m_yfract - old;
    } else if (name == QLatin1String("widthfract")) {
        m_widthfract = value.toDouble();
    } else if (name == QLatin1String("heightfract")) {
        m_heightfract = value.toDouble();
    } else {
        return false;
    }
    return true;
}

void WWidget::scale(double factor, bool both)
{
    if (!m_pWidget)
        return;
    QRectF geometry = rect();
    double x = geometry.x();
    double width = geometry.width();
    if (both) {
        x *= factor;
        width *= factor;
    } else if (factor != 0.0) {
        x /= factor;
        width /= factor;
    }
    setItemGeometry(x, geometry.y() * factor, width, geometry.height() * factor);
}

void WWidget::moveBy(double dx, double dy)
{
    if (!m_pWidget)
        return;
    setItemProperty("x", itemProperty("x").toDouble() + dx);
    setItemProperty("y", itemProperty("y").toDouble() + dy);
}

void WWidget::place(const QRectF &controlRect)
{
    setItemGeometry(controlRect.x() + controlRect.width() * m_xfract,
                    controlRect.y() + controlRect.height() * m_yfract,
                    controlRect.width() * m_widthfract, controlRect.height() * m_heightfract);
}

void WWidget::resize(const QRectF &oldRect, const QRectF &newRect)
{
    if (!m_pWidget)
        return;
    if (newRect.x() != oldRect.x() || newRect.width() != oldRect.width()) {
        setItemProperty("x", newRect.x() + newRect.width() * m_xfract);
        setItemProperty("width", newRect.width() * m_widthfract);
    }
    if (newRect.y() != oldRect.y() || newRect.height() != oldRect.height()) {
        setItemProperty("y", newRect.y() + newRect.height() * m_yfract);
        setItemProperty("height", newRect.height() * m_heightfract);
    }
}

void WWidget::setItemGeometry(double x, double y, double width, double height)
{
    setItemProperty("x", x);
    setItemProperty("y", y);
    setItemProperty("width", width);
    setItemProperty("height", height);
}

void WWidget::updateFromDevice() {}

void WWidget::linkPass(int) {}

void WWidget::setTitle(const QString &) {}

void WWidget::setOwner(CControl *owner)
{
    m_owner = owner;
    emit captionChanged();
}

void WWidget::setNode(HNode *node)
{
    if (m_node != node)
        unlinkNode();
    m_node = node;
}

HNode *WWidget::node() const
{
    return m_node;
}

void WWidget::setTransform(TTransform *transform)
{
    if (m_transform)
        disconnect(m_transform, &TTransform::replyValueReady, this, &WWidget::updateFromDevice);
    m_transform = transform;
    if (m_transform)
        connect(m_transform, &TTransform::replyValueReady, this, &WWidget::updateFromDevice);
}

void WWidget::setVisible(bool visible)
{
    // A hidden item keeps the keyboard focus: give it up, so that keys never move a control
    // nobody sees and the next Tab starts at the first control shown.
    auto *item = qobject_cast<QQuickItem *>(m_pWidget);
    QQuickItem *focus = item && item->window() ? item->window()->activeFocusItem() : nullptr;
    if (!visible && focus && (focus == item || item->isAncestorOf(focus)))
        focus->setFocus(false);
    setItemProperty("visible", visible);
}

QRectF WWidget::rect() const
{
    if (!m_pWidget)
        return QRectF();
    return QRectF(itemProperty("x").toDouble(), itemProperty("y").toDouble(),
                  itemProperty("width").toDouble(), itemProperty("height").toDouble());
}

bool WWidget::isType(const QString &type) const
{
    return m_type == type;
}

void WWidget::showProperties()
{
    QMessageBox::warning(nullptr, tr("Warning"), tr("No properties for this control."),
                         QMessageBox::Ok);
}

void WWidget::dump() const
{
    qCDebug(lcControls) << m_type << m_pWidget;
}

void WWidget::connectModel(bool) {}

void WWidget::unlinkNode()
{
    if (m_node)
        disconnect(m_node, nullptr, this, nullptr);
}

void WWidget::linkValue(WWidget *source)
{
    qCDebug(lcControls).nospace() << "WWidget::linkValue: " << source << " " << this;
}

void WWidget::runCommand(const QString &) {}

void WWidget::onOnlineStateChanged(bool) {}

void WWidget::setQuickItem(QObject *item)
{
    m_pWidget = item;
}

void WWidget::setProtocol(PProtocol *protocol)
{
    if (m_protocol)
        disconnect(m_protocol, &PProtocol::onlineStateChanged, this,
                   &WWidget::onOnlineStateChanged);
    m_protocol = protocol;
    if (m_protocol)
        connect(m_protocol, &PProtocol::onlineStateChanged, this, &WWidget::onOnlineStateChanged);
}

void WWidget::setPeer(WWidget *peer)
{
    m_peer = peer;
}

void WWidget::setType(const QString &type)
{
    m_type = type;
}

void WWidget::setItemProperty(const char *name, const QVariant &value)
{
    if (m_pWidget)
        m_pWidget->setProperty(name, boundToScreen(name, value));
}

QVariant WWidget::itemProperty(const char *name) const
{
    return m_pWidget ? m_pWidget->property(name) : QVariant();
}

void WWidget::setItemColor(const char *name, const QString &color)
{
    setItemProperty(name, QColor::fromString(color));
}

QString WWidget::itemColorName(const char *name) const
{
    return itemProperty(name).value<QColor>().name(QColor::HexArgb);
}

void WWidget::setText(const QString &text)
{
    setItemProperty("text", text);
    // The label names its siblings too.
    if (m_owner && isType(QStringLiteral("label"))) {
        for (WWidget *widget : m_owner->widgets())
            emit widget->captionChanged();
    }
}

QString WWidget::text() const
{
    return itemProperty("text").toString();
}

QString WWidget::caption() const
{
    if (!m_owner)
        return QString();
    for (const WWidget *widget : m_owner->widgets()) {
        if (!widget->isType(QStringLiteral("label")))
            continue;
        const QString text =
            QTextDocumentFragment::fromHtml(widget->text()).toPlainText().trimmed();
        if (!text.isEmpty())
            return text;
        break;
    }
    return m_owner->name();
}

bool WWidget::connectItem(const char *signalSignature, const char *slotSignature)
{
    if (!m_pWidget || !signalSignature || !*signalSignature || !slotSignature || !*slotSignature)
        return false;
    // The markers that SIGNAL() and SLOT() would have added.
    const QByteArray signal = QByteArray("2") + signalSignature;
    const QByteArray slot = QByteArray("1") + slotSignature;
    return bool(connect(m_pWidget, signal.constData(), this, slot.constData()));
}

void WWidget::outputValue(int value)
{
    qCDebug(lcControls).nospace() << "WWidget::outputValue: " << value << " " << this;
}

void WWidget::outputChecked(bool state)
{
    qCDebug(lcControls).nospace() << "WWidget::outputChecked: " << (state ? "true" : "false") << " "
                                  << this;
}

void WWidget::outputCurrentIndex(int index)
{
    qCDebug(lcControls).nospace() << "WWidget::outputCurrentIndex: " << index << " " << this;
}

void WWidget::outputCurrentText(const QString &text)
{
    qCDebug(lcControls).nospace() << "WWidget::outputCurrentText: " << text << " " << this;
}

void WWidget::onTextChanged()
{
    qCDebug(lcControls).nospace() << "WWidget::onTextChanged: " << this;
}

QString WWidget::getToolTip(bool hover) const
{
    return hover && m_owner ? m_owner->toolTip() : QString();
}

bool WWidget::canSend() const
{
    return m_pWidget && m_transform && m_protocol && m_ready;
}

int WWidget::horizontalAlignment(const QString &name, Qt::CaseSensitivity cs)
{
    if (name.compare(QLatin1String("center"), cs) == 0)
        return Qt::AlignHCenter;
    if (name.compare(QLatin1String("right"), cs) == 0)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QString WWidget::alignmentName(int alignment)
{
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    return QStringLiteral("left");
}

#include "controls/wwidget.h"

namespace {

// Ids that do not parse or do not fit 32 bits read as 0.
quint32 toId(const QString &text)
{
    bool ok = false;
    const quint32 value = text.toUInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

WWidget::WWidget(QObject *parent)
    : QObject(parent)
{}

WWidget::~WWidget() = default;

bool WWidget::processProperty(const QString &name, const QString &value)
{
    if (processRect(name, value) || processFraction(name, value))
        return true;
    if (name == QLatin1String("id")) {
        m_id = toId(value);
        return true;
    }
    if (name == QLatin1String("link")) {
        m_link = toId(value);
        return true;
    }
    return false;
}

bool WWidget::processRect(const QString &name, const QString &value)
{
    if (name == QLatin1String("x"))
        m_rect.moveLeft(value.toDouble());
    else if (name == QLatin1String("y"))
        m_rect.moveTop(value.toDouble());
    else if (name == QLatin1String("width"))
        m_rect.setWidth(value.toDouble());
    else if (name == QLatin1String("height"))
        m_rect.setHeight(value.toDouble());
    else if (name == QLatin1String("z"))
        m_z = value.toInt();
    else
        return false;
    return true;
}

bool WWidget::processFraction(const QString &name, const QString &value)
{
    // Moving a left or top edge keeps the opposite edge where it was; the sizes stored after the
    // edges in the file then win.
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
    double x = m_rect.x();
    double width = m_rect.width();
    if (both) {
        x *= factor;
        width *= factor;
    } else if (factor != 0.0) {
        x /= factor;
        width /= factor;
    }
    m_rect = QRectF(x, m_rect.y() * factor, width, m_rect.height() * factor);
}

void WWidget::moveBy(double dx, double dy)
{
    m_rect.translate(dx, dy);
}

QRectF WWidget::rect() const
{
    return m_rect;
}

void WWidget::setActive(bool on)
{
    m_active = on;
}

void WWidget::setType(const QString &type)
{
    m_type = type;
}

void WWidget::setOwner(CControl *owner)
{
    m_owner = owner;
}

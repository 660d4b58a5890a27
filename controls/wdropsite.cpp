#include "controls/wdropsite.h"

#include "canvas/ccontrol.h"
#include "util/logcategories.h"

WDropSite::WDropSite(QQuickItem *parent)
    : WWidget(parent)
{}

WDropSite::~WDropSite() = default;

void WDropSite::destroy()
{
    clear();
}

void WDropSite::moveBy(double dx, double dy)
{
    WWidget::moveBy(dx, dy);
    if (m_droppedControl) {
        for (WWidget *widget : m_droppedControl->widgets())
            widget->moveBy(dx, dy);
    }
}

void WDropSite::dump() const
{
    WWidget::dump();
    qCDebug(lcControls) << "WDropSite holds" << m_droppedControl.get();
}

void WDropSite::setDroppedControl(std::unique_ptr<CControl> control)
{
    m_droppedControl = std::move(control);
}

void WDropSite::deleteChild()
{
    clear();
}

void WDropSite::properties()
{
    if (m_droppedControl && m_droppedControl->widget())
        m_droppedControl->widget()->showProperties();
    else
        showProperties();
}

QString WDropSite::getToolTip() const
{
    return m_droppedControl ? m_droppedControl->toolTip() : QString();
}

void WDropSite::clear()
{
    m_droppedControl.reset();
}

QString WDropSite::getControlType() const
{
    return m_droppedControl ? m_droppedControl->kind() : QString();
}

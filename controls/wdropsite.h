#pragma once

#include "controls/wwidget.h"

#include <memory>

// An area of the editing view on which a control can be dropped and scaled to fit. Its document
// asks the interface object's dropSite whether a drag may land here.
class WDropSite : public WWidget
{
    Q_OBJECT

public:
    explicit WDropSite(QQuickItem *parent = nullptr);
    ~WDropSite() override;

    void destroy() override;
    // Moves the dropped control along with the area.
    void moveBy(double dx, double dy) override;
    void dump() const override;

    // The control that landed on the area; the area owns it from now on.
    void setDroppedControl(std::unique_ptr<CControl> control);
    CControl *droppedControl() const { return m_droppedControl.get(); }

public Q_SLOTS:
    void deleteChild();
    void properties();
    // The dropped control's tooltip; empty while the area is free.
    QString getToolTip() const;
    void clear();
    // The dropped control's kind; empty while the area is free.
    QString getControlType() const;

private:
    std::unique_ptr<CControl> m_droppedControl;
};

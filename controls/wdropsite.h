#pragma once

#include "controls/wwidget.h"

// An area of the editing view on which a control can be dropped and scaled to fit.
class WDropSite : public WWidget
{
    Q_OBJECT

public:
    explicit WDropSite(QQuickItem *parent = nullptr);
    ~WDropSite() override;

private:
    CControl *m_droppedControl = nullptr;
};

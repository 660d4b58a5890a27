#pragma once

#include "controls/wslider.h"

// A pair of plus and minus buttons with a value read-out.
class WLevelButtons : public WSlider
{
    Q_OBJECT

public:
    explicit WLevelButtons(QQuickItem *parent = nullptr);
    ~WLevelButtons() override;
};

#pragma once

#include "controls/wwidget.h"

// The telephone keypad of a PSTN or VoIP block.
class WDialer : public WWidget
{
    Q_OBJECT

public:
    explicit WDialer(QQuickItem *parent = nullptr);
    ~WDialer() override;
};

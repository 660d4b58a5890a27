#pragma once

#include "controls/wbutton.h"

// A pill-shaped button that recalls one entry of a list parameter, typically a preset.
class WTextLink : public WButton
{
    Q_OBJECT

public:
    explicit WTextLink(QQuickItem *parent = nullptr);
    ~WTextLink() override;

private:
    int m_entryIndex = 0;
    int m_currentEntry = 0; // shown in the item's "current"
};

#pragma once

#include "controls/wslider.h"

// A pair of plus and minus buttons with a value read-out. Each click is one step and goes out at
// once, whatever the document last said about sending.
class WLevelButtons : public WSlider
{
    Q_OBJECT

public:
    explicit WLevelButtons(QQuickItem *parent = nullptr);
    ~WLevelButtons() override;

    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;

public Q_SLOTS:
    // `value` in steps, after a click.
    void outputValue(int value);

protected:
    // Also shows the value in the read-out ("valueText").
    void showDisplayValue(float steps) override;
};

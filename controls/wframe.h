#pragma once

#include "controls/wwidget.h"

// A filled, optionally bordered rectangle; as "bounds", the invisible outline that the panel
// is scaled to.
class WFrame : public WWidget
{
    Q_OBJECT

public:
    explicit WFrame(QQuickItem *parent = nullptr);
    ~WFrame() override;

    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
};

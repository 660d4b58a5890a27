#pragma once

#include "controls/wpolygon.h"

#include <QTimer>

// A polygon area of a floor plan that jumps to another panel when tapped.
class WRegion : public WPolygon
{
    Q_OBJECT

public:
    explicit WRegion(QQuickItem *parent = nullptr);
    ~WRegion() override;

    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;

    QString targetPanel() const { return m_path; }

public Q_SLOTS:
    void onJumpTimerTimeout();

protected:
    void pressedInside() override;

private:
    QString m_path;
    // Lets the press finish before the panel, and this item with it, is replaced.
    QTimer m_jumpTimer;
};

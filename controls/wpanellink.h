#pragma once

#include "controls/wlabel.h"

#include <QTimer>

// A text or image button that jumps to another panel.
class WPanelLink : public WLabel
{
    Q_OBJECT

public:
    explicit WPanelLink(QQuickItem *parent = nullptr);
    ~WPanelLink() override;

    void destroy() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;

    // The link of the target panel: file name, scene and panel separated by "\".
    QString targetPanel() const { return m_path; }

public Q_SLOTS:
    void selectPanel();
    void onJumpTimerTimeout();

private:
    bool processLinkProperty(const QString &name, const QString &value);

    QString m_path;
    // Lets the click finish before the panel, and this item with it, is replaced.
    QTimer m_jumpTimer;
};

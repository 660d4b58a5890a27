#pragma once

#include "controls/wbutton.h"

// A pill-shaped button that recalls one entry of a list parameter, typically a preset.
class WTextLink : public WButton
{
    Q_OBJECT

public:
    explicit WTextLink(QQuickItem *parent = nullptr);
    ~WTextLink() override;

    void destroy() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    // The device's current entry goes to the item's "current"; the document highlights the
    // link while it equals the link's own entry.
    void updateFromDevice() override;
    void setTitle(const QString &text) override;

    int entryIndex() const { return m_entryIndex; }
    int currentEntry() const { return m_currentEntry; }

public Q_SLOTS:
    void outputClicked();

private:
    bool processLinkProperty(const QString &name, const QString &value);
    void setEntryIndex(int index);

    int m_entryIndex = 0;
    int m_currentEntry = 0; // shown in the item's "current"
};

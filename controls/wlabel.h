#pragma once

#include "controls/wwidget.h"

// Static rich text: captions and titles.
class WLabel : public WWidget
{
    Q_OBJECT

public:
    explicit WLabel(QQuickItem *parent = nullptr);
    ~WLabel() override;

    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    // Shows text as the label's plain text, in the label's face.
    void setTitle(const QString &text) override;

    // The text without the face's tags.
    QString plainText() const { return m_text; }

public Q_SLOTS:
    void properties();
    // Moves the label's document under parent and shows its text again.
    void redraw(QQuickItem *parent);

protected:
    // The label's own stored properties; warns about any other name.
    bool processLabelProperty(const QString &name, const QString &value);

private:
    QString controlLabel() const;
    void showText();

    // Kept apart from the item's text, which carries the face's tags.
    QString m_text;
    QString m_face;
};

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

    // The text as a save writes it: without the face's tags, with its placeholders.
    QString storedText() const { return m_storedText; }

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
    // As the file gave it: a save keeps "*LABEL*" for the node the project links next time.
    QString m_storedText;
    QString m_face;
};

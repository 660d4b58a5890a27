#pragma once

#include "controls/wwidget.h"

// A text box, usually the numeric read-out and entry box of a fader: what the user types goes
// to the device through the transform, and the peer follows.
class WTextEdit : public WWidget
{
    Q_OBJECT

public:
    explicit WTextEdit(QQuickItem *parent = nullptr);
    ~WTextEdit() override;

    void configure(const CAttributes *range) override;
    // Shows the transform's display text that the peer has just set.
    void linkValue(WWidget *source) override;

    QString currentText() const { return m_currentText; }
    QString format() const { return m_format; }

public Q_SLOTS:
    // The user has finished editing the item's "text".
    void onTextChanged();
    // Tells the peer about a changed text; nothing is sent.
    void outputCurrentText(const QString &text);

private:
    // What the box shows, typed or followed, so that retyping a shown value sends nothing.
    QString m_currentText;
    QString m_format;
};

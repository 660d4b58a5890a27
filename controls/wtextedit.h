#pragma once

#include "controls/wwidget.h"

// A text box, usually the numeric read-out and entry box of a fader.
class WTextEdit : public WWidget
{
    Q_OBJECT

public:
    explicit WTextEdit(QQuickItem *parent = nullptr);
    ~WTextEdit() override;

private:
    QString m_currentText;
    // From the control's range record.
    QString m_format;
    int m_setting = 0;
};

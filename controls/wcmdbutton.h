#pragma once

#include "controls/wbutton.h"

// A button that hands a command text to its peer (the dialer of the same control).
class WCmdButton : public WButton
{
    Q_OBJECT

public:
    explicit WCmdButton(QQuickItem *parent = nullptr);
    ~WCmdButton() override;

private:
    QString m_command;
};

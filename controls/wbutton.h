#pragma once

#include "controls/wwidget.h"

#include <QTimer>

// An on/off button of a panel: mute, bypass, logic outputs, the setup menu button and the
// connection indicator.
class WButton : public WWidget
{
    Q_OBJECT

public:
    // Codes of the "action" property.
    enum class Action {
        Alternating,
        Sequence,
        SendOnThenOff,
        Toggle,
        Pulse,
        None,
        ShowSetupMenu,
        ShowConnectionStatus
    };
    // Codes of the "buttonType" property; stored panels call the first one "mute".
    enum class ButtonType {
        Mute,
        LogicChannel,
        LogicSet,
        LogicReset,
        VirtualGpi,
        VirtualGpo,
        Setup,
        ConnectionIndicator
    };

    explicit WButton(QQuickItem *parent = nullptr);
    ~WButton() override;

private:
    bool m_checked = false;
    bool m_checkedBeforePress = false;
    QString m_channel; // one-based channel number as text
    ButtonType m_buttonType = ButtonType::Mute;
    int m_lastSent = -1;
    // Positions of "T" and "P" in the control's value list; -1 when absent.
    int m_toggleValue = -1;
    int m_pulseValue = -1;
    Action m_action = Action::Alternating;
    QTimer m_pulseTimer;
    // While it runs, values from the device are not shown.
    QTimer m_guardTimer;
    QString m_imageSet;
    QString m_onImage;
    QString m_offImage;
    QString m_partialImage;
    int m_queryIndex = -1;
};

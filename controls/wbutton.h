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

    // Without a record the button only follows the model's connection status.
    void configure(const CAttributes *range) override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    // Ignored while the guard timer runs, so that a press is not undone by a stale reading.
    void updateFromDevice() override;
    void setTitle(const QString &text) override;
    void connectModel(bool on) override;

    bool isChecked() const { return m_checked; }
    Action action() const { return m_action; }
    ButtonType buttonType() const { return m_buttonType; }
    int toggleValue() const { return m_toggleValue; }
    int pulseValue() const { return m_pulseValue; }

    // The image that a stored path stands for under the given skin and accent, relative to the
    // control documents; empty when the path names none of the skin's images.
    static QString skinImagePath(const QString &stored, const QString &skin, const QString &accent);

public Q_SLOTS:
    void outputClicked(bool checked);
    virtual void outputPressed();
    void outputReleased();
    void onPulseTimerTimeout();
    void onChangedStatusIndicator();

protected:
    // The button's own stored properties, shared with the text link.
    bool processButtonProperty(const QString &name, const QString &value);
    void saveButtonChildren(XmlWriter &writer);
    // A URL the document can show: the current skin's image, else the archive's, else the
    // path taken relative to the control documents.
    QString resolveImage(const QString &stored) const;
    HNode *linkedNode() const;

private:
    void setAction(const QString &text);
    void setButtonType(const QString &text);
    void takeLogicChannel();
    void substituteTexts();
    void showChecked(bool checked);
    void send(int value);
    // "*LABEL*", "*Channel*" and the microphone names of an automatic mixer.
    QString substitute(const QString &text, bool onText) const;
    void applyChannelIndex();

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

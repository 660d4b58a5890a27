#pragma once

#include "controls/wwidget.h"

#include <QTimer>

// A fader. The document works in whole steps; the widget converts them to parameter units,
// sends at most one value per send delay (the latest) and keeps its peer and caption in step.
class WSlider : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(bool isToneEqControl READ isToneEqControl NOTIFY isToneEqControlChanged)

public:
    explicit WSlider(QQuickItem *parent = nullptr);
    ~WSlider() override;

    bool isToneEqControl() const { return m_isToneEqControl; }

    // Limits and step from the range record; only the first call pushes the value and caption.
    void configure(const CAttributes *range) override;
    void refresh() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    void updateFromDevice() override;
    void setNode(HNode *node) override;
    // Faders have no property editor, so nothing is shown.
    void showProperties() override;
    void linkValue(WWidget *source) override;

    // Range editing; false (and nothing changes) outside the limits of the range record.
    bool setMinimumText(const QString &text);
    bool setMaximumText(const QString &text);
    // The word "Percent" (as stored, untranslated) switches percent mode on, anything else off.
    void setUnitsText(const QString &text);

    float step() const { return m_step; }
    float currentValue() const { return m_currentValue; }
    float minimum() const { return m_minimum; }
    float maximum() const { return m_maximum; }
    bool isPercent() const { return m_percent; }
    bool isSendNeeded() const { return m_isSendNeeded; }
    // A user value waits for the send delay.
    bool hasPendingValue() const;

Q_SIGNALS:
    void isToneEqControlChanged();

public Q_SLOTS:
    // `value` in steps, while the user drags.
    void outputValue(int value);
    void setIsSendNeeded(bool state);
    void onSendDelayTimerTimeout();

protected:
    // Keeps `value` (in steps) as the pending value; false when it equals the current value.
    bool setPending(int value);
    // Hands the pending value to the transform, and to the device and the peer when `send`.
    void commitPending(bool send);
    bool isSendDelayRunning() const { return m_sendDelayTimer.isActive(); }
    // The transform's display value for a value in steps; level buttons also show it.
    virtual void showDisplayValue(float steps);
    // A value in steps as a share of the range, 0 to 100.
    float percentOf(float steps) const;
    // `text` with "*LABEL*" and "*TITLE*" replaced from the control and its node.
    QString captionText(const QString &text) const;

private:
    void updateCaption();
    QString titleCaption() const;
    HNode *linkedNode() const;
    // Writes one field of the control's range record.
    void setRecord(const QString &name, const QString &value);
    void setPercent(bool percent);
    void showCurrentValue();
    void showRange();

    float m_step = 0.0f;
    float m_currentValue; // a value no parameter has, so that the first value always differs
    float m_minimum = 0.0f;
    float m_maximum = 0.0f;
    bool m_percent = false;
    float m_rotation = 0.0f;
    float m_pendingValue; // none
    int m_pendingSteps = 0;
    QTimer m_sendDelayTimer;
    bool m_isSendNeeded = true;
    bool m_isToneEqControl = false;
    bool m_initialized = false;
    float m_upperLimit = 12.0f;
    float m_lowerLimit = -60.5f;
};

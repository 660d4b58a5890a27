#pragma once

#include "controls/wwidget.h"

#include <QTimer>

// A fader. The document works in whole steps; the widget converts them to parameter units.
class WSlider : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(bool isToneEqControl READ isToneEqControl NOTIFY isToneEqControlChanged)

public:
    explicit WSlider(QQuickItem *parent = nullptr);
    ~WSlider() override;

    bool isToneEqControl() const { return m_isToneEqControl; }

Q_SIGNALS:
    void isToneEqControlChanged();

private:
    float m_step = 0.0f;
    float m_currentValue; // a value no parameter has, so that the first value always differs
    float m_minimum = 0.0f;
    float m_maximum = 0.0f;
    bool m_percent = false;
    float m_rotation = 0.0f;
    float m_pendingValue = -99999.0f; // none
    int m_pendingSteps = 0;
    QTimer m_sendDelayTimer;
    bool m_isSendNeeded = true;
    bool m_isToneEqControl = false;
    bool m_initialized = false;
    float m_upperLimit = 12.0f;
    float m_lowerLimit = -60.5f;
};

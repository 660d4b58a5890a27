#pragma once

#include "controls/wwidget.h"

#include <QTimer>

// A picture that changes with the level: grey, green, yellow or orange.
class WMeterImage : public WWidget
{
    Q_OBJECT

public:
    explicit WMeterImage(QQuickItem *parent = nullptr);
    ~WMeterImage() override;

private:
    QTimer m_statusTimer;
    QString m_meterRate = QStringLiteral("4x/s");
    double m_minimum = -60.0;
    double m_colorBreak1 = -20.0;
    double m_colorBreak2 = -6.0;
    QString m_channelName;
    int m_indexOffset = 0;
};

#pragma once

#include "controls/wwidget.h"

#include <QTimer>

// A bar meter in dB with three colour zones, a peak-hold marker and a scale.
class WMeter : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum NOTIFY minimumChanged)
    Q_PROPERTY(double maximum READ maximum NOTIFY maximumChanged)
    Q_PROPERTY(QString unitsText READ unitsText NOTIFY unitsTextChanged)

public:
    explicit WMeter(QQuickItem *parent = nullptr);
    ~WMeter() override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    QString unitsText() const { return m_unitsText; }

Q_SIGNALS:
    void minimumChanged();
    void maximumChanged();
    void unitsTextChanged();

private:
    double m_peak = -60.0;
    double m_peakDecay = 0.0;
    double m_holdCount = 4.0;
    QTimer m_peakTimer;
    QTimer m_statusTimer;
    QString m_meterRate = QStringLiteral("4x/s");
    double m_minimum = -60.0;
    double m_maximum = 0.0;
    // Upper edges of the green and the yellow zone.
    double m_colorBreak1 = -20.0;
    double m_colorBreak2 = -6.0;
    QString m_channelName;
    int m_indexOffset = 0;
    QString m_unitsText = QStringLiteral("dBFS");
    bool m_online = false;
};

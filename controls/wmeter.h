#pragma once

#include "controls/wmeterpolling.h"
#include "controls/wwidget.h"

#include <QTimer>

#include <optional>

// A bar meter in dB with three colour zones, a peak-hold marker and a scale. It never sends;
// it polls the device's meter status on its own timer once the device is online.
class WMeter : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum NOTIFY minimumChanged)
    Q_PROPERTY(double maximum READ maximum NOTIFY maximumChanged)
    Q_PROPERTY(QString unitsText READ unitsText NOTIFY unitsTextChanged)

public:
    static constexpr const char *OffColor = "#C3C3C3";
    static constexpr const char *GreenColor = "#21f321";
    static constexpr const char *YellowColor = "#fff780";
    static constexpr const char *OrangeColor = "#ff8000";

    explicit WMeter(QQuickItem *parent = nullptr);
    ~WMeter() override;

    void configure(const CAttributes *range) override;
    void refresh() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    void updateFromDevice() override;
    void setTitle(const QString &text) override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    QString unitsText() const { return m_unitsText; }
    QString meterRate() const { return m_polling.rate(); }
    int statusInterval() const { return m_polling.timer().interval(); }
    bool isOnline() const { return m_online; }

    // Shared with WMeterImage.
    // The status interval of a "meterRate" text; nothing for a text outside the table.
    static std::optional<int> rateInterval(const QString &rate);
    // The level the device reported, offset included; nothing when the reply holds no number.
    static std::optional<double> deviceLevel(const WWidget &widget);
    // dB added to every reading: output channels report 24 dB low.
    static double sourceOffset(const HNode *node);
    // The caption a channel of a link or Dante card takes from its node; empty for other nodes.
    static QString channelCaption(const HNode *node, const TTransform *transform);
    // Channel index from the card pin, then refresh(), then polling when already online.
    static void configureMeter(WWidget &widget, const CAttributes *range);
    // Hands the channel settings to the transform and fills "*LABEL*" and the channel caption.
    static void refreshChannel(WWidget &widget, const QString &channelName, int indexOffset);
    // One poll, when the meter is shown and its transform still wants status reports.
    static void requestStatus(WWidget &meter);

Q_SIGNALS:
    void minimumChanged();
    void maximumChanged();
    void unitsTextChanged();

public Q_SLOTS:
    void onOnlineStateChanged(bool online) override;
    void onSendDelayTimerTimeout();
    void onGetStatusTimerTimeout();

private:
    // Fraction of the scale at `level`, clamped to the bar.
    double fraction(double level) const;
    double span() const { return m_maximum - m_minimum; }
    void holdPeak(double level);
    void showZones(double level);
    void showZone(int zone, const char *color, double stop);
    void showOffline();
    void showMarker();
    void setRange(double minimum, double maximum);

    double m_peak = -60.0;
    double m_peakDecay = 0.0;
    double m_holdCount = 4.0;
    QTimer m_peakTimer;
    WMeterPolling m_polling;
    double m_minimum = -60.0;
    double m_maximum = 0.0;
    // Upper edges of the green and the yellow zone.
    double m_colorBreak1 = -20.0;
    double m_colorBreak2 = -6.0;
    QString m_unitsText = QStringLiteral("dBFS");
    bool m_online = false;
    // Kept in dB so that a range read after the marker still places it right.
    std::optional<double> m_markerLevel;
};

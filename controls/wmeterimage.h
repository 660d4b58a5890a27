#pragma once

#include "controls/wmeterpolling.h"
#include "controls/wwidget.h"

#include <QTimer>

// A picture that changes with the level: grey, green, yellow or orange. Polls like WMeter.
class WMeterImage : public WWidget
{
    Q_OBJECT

public:
    static constexpr const char *GreyImage = "../images/meterGrey.png";
    static constexpr const char *GreenImage = "../images/meterGreen.png";
    static constexpr const char *YellowImage = "../images/meterYellow.png";
    static constexpr const char *OrangeImage = "../images/meterOrange.png";

    explicit WMeterImage(QQuickItem *parent = nullptr);
    ~WMeterImage() override;

    void initWidget() override;
    void configure(const CAttributes *range) override;
    void refresh() override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    void updateFromDevice() override;

    QString meterRate() const { return m_polling.rate(); }
    int statusInterval() const { return m_polling.timer().interval(); }

public Q_SLOTS:
    void onOnlineStateChanged(bool online) override;
    void onGetStatusTimerTimeout();

private:
    WMeterPolling m_polling;
    double m_minimum = -60.0;
    // Not used for the picture; kept so that saving gives back what was read.
    double m_maximum = 0.0;
    double m_colorBreak1 = -20.0;
    double m_colorBreak2 = -6.0;
};

#pragma once

#include <QString>
#include <QTimer>

class WWidget;

// What a bar meter and a meter image share: how often they ask for the level and which channel
// of the reading they show.
class WMeterPolling
{
public:
    WMeterPolling();

    // The owner connects its status request to the timer's time-out.
    QTimer &timer() { return m_timer; }
    const QTimer &timer() const { return m_timer; }
    void start();

    QString rate() const { return m_rate; }
    QString channelName() const { return m_channelName; }
    int indexOffset() const { return m_indexOffset; }

    // "meterRate", "channelName" or "indexOffset"; false for any other name.
    bool processProperty(const QString &name, const QString &value);
    // Hands the channel to the widget's transform.
    void refresh(WWidget &widget) const;

private:
    QTimer m_timer;
    QString m_rate = QStringLiteral("4x/s");
    QString m_channelName;
    int m_indexOffset = 0;
};

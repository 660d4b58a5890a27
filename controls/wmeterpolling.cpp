#include "controls/wmeterpolling.h"

#include "controls/wmeter.h"

namespace {
constexpr int StatusMs = 250;
}

WMeterPolling::WMeterPolling()
{
    m_timer.setInterval(StatusMs);
}

void WMeterPolling::start()
{
    if (!m_timer.isActive())
        m_timer.start();
}

bool WMeterPolling::processProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("meterRate")) {
        m_rate = value;
        if (const std::optional<int> interval = WMeter::rateInterval(value))
            m_timer.setInterval(*interval);
    } else if (name == QLatin1String("channelName")) {
        m_channelName = value;
    } else if (name == QLatin1String("indexOffset")) {
        m_indexOffset = value.toInt();
    } else {
        return false;
    }
    return true;
}

void WMeterPolling::refresh(WWidget &widget) const
{
    WMeter::refreshChannel(widget, m_channelName, m_indexOffset);
}

#include "controls/wmeter.h"

namespace {
constexpr int PeakMs = 2500;
constexpr int StatusMs = 250;
} // namespace

WMeter::WMeter(QQuickItem *parent)
    : WWidget(parent)
{
    m_peakTimer.setInterval(PeakMs);
    m_statusTimer.setInterval(StatusMs);
}

WMeter::~WMeter() = default;

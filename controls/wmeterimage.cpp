#include "controls/wmeterimage.h"

namespace {
constexpr int StatusMs = 250;
} // namespace

WMeterImage::WMeterImage(QQuickItem *parent)
    : WWidget(parent)
{
    m_statusTimer.setInterval(StatusMs);
}

WMeterImage::~WMeterImage() = default;

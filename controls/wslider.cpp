#include "controls/wslider.h"

#include <cstring>

namespace {
constexpr int SendDelayMs = 20;
constexpr quint32 NoValueBits = 0x006CE3EE;

float noValue()
{
    float value;
    std::memcpy(&value, &NoValueBits, sizeof value);
    return value;
}
} // namespace

WSlider::WSlider(QQuickItem *parent)
    : WWidget(parent)
    , m_currentValue(noValue())
{
    m_sendDelayTimer.setSingleShot(true);
    m_sendDelayTimer.setInterval(SendDelayMs);
}

WSlider::~WSlider() = default;

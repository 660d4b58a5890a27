#include "controls/wbutton.h"

namespace {
constexpr int PulseMs = 200;
constexpr int GuardMs = 1000;
} // namespace

WButton::WButton(QQuickItem *parent)
    : WWidget(parent)
{
    m_pulseTimer.setSingleShot(true);
    m_pulseTimer.setInterval(PulseMs);
    m_guardTimer.setSingleShot(true);
    m_guardTimer.setInterval(GuardMs);
}

WButton::~WButton() = default;

#include "controls/wdialer.h"

WDialer::WDialer(QQuickItem *parent)
    : WWidget(parent)
{}

WDialer::~WDialer() = default;

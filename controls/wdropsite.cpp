#include "controls/wdropsite.h"

WDropSite::WDropSite(QQuickItem *parent)
    : WWidget(parent)
{}

WDropSite::~WDropSite() = default;

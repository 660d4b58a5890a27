#include "controls/wcmdbutton.h"

WCmdButton::WCmdButton(QQuickItem *parent)
    : WButton(parent)
{}

WCmdButton::~WCmdButton() = default;

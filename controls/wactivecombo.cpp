#include "controls/wactivecombo.h"

WActiveCombo::WActiveCombo(QQuickItem *parent)
    : WWidget(parent)
{}

WActiveCombo::~WActiveCombo() = default;

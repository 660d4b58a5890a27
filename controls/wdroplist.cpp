#include "controls/wdroplist.h"

WDropList::WDropList(QQuickItem *parent)
    : WWidget(parent)
{}

WDropList::~WDropList() = default;

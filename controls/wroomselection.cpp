#include "controls/wroomselection.h"

WRoomSelection::WRoomSelection(QQuickItem *parent)
    : WPolygon(parent)
{}

WRoomSelection::~WRoomSelection() = default;

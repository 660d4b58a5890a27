#pragma once

#include "hardware/haudioio.h"

// One Dante channel of a chassis.
class HDante : public HAudioIO
{
    Q_OBJECT

public:
    HDante(const QString &cardType, int direction);
};

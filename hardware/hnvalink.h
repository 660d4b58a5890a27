#pragma once

#include "hardware/haudioio.h"

// The processor-link transmitter of a chassis.
class HNVALink : public HAudioIO
{
    Q_OBJECT

public:
    HNVALink();
};

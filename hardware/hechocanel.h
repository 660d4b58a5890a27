#pragma once

#include "hardware/hnode.h"

// The echo canceller of a chassis.
class HEchoCanel : public HNode
{
    Q_OBJECT

public:
    HEchoCanel();

    // The base step, then typenum "0" and title "EchoCancel".
    bool completeSetup() override;
    QString category() const override;
};

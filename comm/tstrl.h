#pragma once

#include "comm/tchrl.h"

// Up to eight texts from `set`; missing fields are empty slots. Otherwise a TChrL.
class TStrL : public TChrL
{
    Q_OBJECT

public:
    using TChrL::TChrL;

    void initialise() override;
    QString className() const override;
};

#pragma once

#include <QString>

// The program's version as the build names it, so that no text has to be kept in step by hand.
class UVersion
{
public:
    static QString text();
};

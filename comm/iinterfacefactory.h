#pragma once

#include <QString>

class IInterface;

// Makes the connection interface of a chassis.
class IInterfaceFactory
{
public:
    // Always a new TCP client, whatever the name; the caller owns it.
    static IInterface *create(const QString &typeName);
};

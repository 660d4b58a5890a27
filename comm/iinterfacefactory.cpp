#include "comm/iinterfacefactory.h"

#include "comm/itcpclient.h"

IInterface *IInterfaceFactory::create(const QString &)
{
    return new ITcpClient;
}

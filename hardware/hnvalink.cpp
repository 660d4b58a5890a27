#include "hardware/hnvalink.h"

HNVALink::HNVALink()
    : HAudioIO(QString(), Link)
{
    setIoCategory(QObject::tr("Digital I/O"));
}

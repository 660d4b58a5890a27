#include "util/uversion.h"

QString UVersion::text()
{
    return QStringLiteral(VELOXA_VERSION);
}

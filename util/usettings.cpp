#include "util/usettings.h"

QSettings USettings::paths()
{
    return QSettings(QStringLiteral("Orvik"), QStringLiteral("Veloxa Remote 3.0"));
}

QSettings USettings::window()
{
    return QSettings(QStringLiteral("com.Orvik"), QStringLiteral("VeloxaRemote"));
}

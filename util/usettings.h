#pragma once

#include <QSettings>

// The two stores keep the names earlier releases wrote, so that their paths and window state
// carry over; they are named here only.
class USettings
{
public:
    // "Path/Designs" and "Path/Archive".
    static QSettings paths();
    // "isFullscreen".
    static QSettings window();
};

#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

// The X server as a user meets it: xdotool moves the pointer and presses buttons, ImageMagick's
// import shoots the screen.
namespace XScreen {

bool toolsPresent(QString *missing);
// Runs one xdotool command line (commands may be chained); its output, or a null array on failure.
QByteArray xdotool(const QStringList &arguments, int timeoutMs = 30000);
// The first visible window whose name matches, polled until the deadline; empty when none.
QRect findWindow(const QString &namePattern, int timeoutMs);
void click(const QPoint &at);
QImage shoot();
// Pixels that differ between the same rectangle of two shots.
int difference(const QImage &a, const QImage &b, const QRect &rect);

} // namespace XScreen

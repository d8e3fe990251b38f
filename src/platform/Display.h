#pragma once

#include <QSize>
#include <QString>

// True when the Wayland socket named by $WAYLAND_DISPLAY (relative to $XDG_RUNTIME_DIR, or a path)
// accepts a connection.
bool WaylandReachable();

// True when the X server of $DISPLAY accepts a connection.
bool XServerReachable();

// Sets $QT_QPA_PLATFORM, before the application object is made, to the platforms whose display can
// be reached now ($QT_QPA_PLATFORM's own choice, else Wayland then X11), with "offscreen" last: Qt
// aborts on a display it cannot open or a plugin it lacks, and falls back on the next one instead.
void ChooseQtPlatform();

// After ChooseQtPlatform and with the application object made: empty when Qt runs on a display,
// otherwise why it does not.
QString DisplayProblem();

// The primary screen's size in device pixels: geometry × device pixel ratio, rounded half to even.
// Needs a running QGuiApplication.
QSize PrimaryScreenSize();

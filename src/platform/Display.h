#pragma once

#include <QSize>

// True when a graphical session can be reached: a Wayland socket is named, or the X server of
// $DISPLAY accepts a connection. Checked before Qt starts, which would abort on a dead display.
bool DisplayAvailable();

// The primary screen's size in device pixels: geometry × device pixel ratio, rounded half to even.
// Needs a running QGuiApplication.
QSize PrimaryScreenSize();

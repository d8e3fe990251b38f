#include "platform/Display.h"

#include "app/NumericText.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <xcb/xcb.h>

bool DisplayAvailable() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland) return true;
    const char* x = std::getenv("DISPLAY");
    if (!x || !*x) return false;
    xcb_connection_t* c = xcb_connect(x, nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect g = screen->geometry();
    const double ratio = screen->devicePixelRatio();
    return {RoundHalfEven(g.width() * ratio), RoundHalfEven(g.height() * ratio)};
}

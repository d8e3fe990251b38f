#include "platform/Display.h"

#include "app/NumericText.h"

#include <QGuiApplication>
#include <QScreen>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

bool WaylandReachable() {
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (name.isEmpty()) return false;
    const QByteArray path =
        (name.startsWith('/') ? name : qEnvironmentVariable("XDG_RUNTIME_DIR") + "/" + name).toLocal8Bit();
    sockaddr_un address{};
    if (path.size() >= qsizetype(sizeof address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok =
        fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

bool XServerReachable() {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return false;
    xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

void ChooseQtPlatform() {
    const QString asked = qEnvironmentVariable("QT_QPA_PLATFORM");
    QStringList platforms;
    for (const QString& p :
         (asked.isEmpty() ? QString("wayland;xcb") : asked).split(';', Qt::SkipEmptyParts)) {
        const QString plugin = p.section(':', 0, 0); // "xcb:option" passes options to the plugin
        if ((plugin.startsWith("wayland") && !WaylandReachable()) || (plugin == "xcb" && !XServerReachable()))
            continue;
        platforms << p;
    }
    if (!platforms.contains("offscreen")) platforms << "offscreen";
    qputenv("QT_QPA_PLATFORM", platforms.join(';').toUtf8());
}

QString DisplayProblem() {
    if (QGuiApplication::platformName() != "offscreen") return {};
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY"), x = qEnvironmentVariable("DISPLAY");
    if (wayland.isEmpty() && x.isEmpty())
        return "keine grafische Sitzung (weder WAYLAND_DISPLAY noch DISPLAY gesetzt)";
    if (WaylandReachable() || XServerReachable())
        return "die Anzeige ist erreichbar, aber Qt kann sie nicht öffnen (fehlt das Paket qt6-wayland?)";
    return QString("keine Anzeige erreichbar (WAYLAND_DISPLAY=\"%1\", DISPLAY=\"%2\")").arg(wayland, x);
}

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect g = screen->geometry();
    const double ratio = screen->devicePixelRatio();
    return {RoundHalfEven(g.width() * ratio), RoundHalfEven(g.height() * ratio)};
}

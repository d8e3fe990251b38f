#include "platform/WallpaperBackend.h"

#include "platform/CommandWallpaper.h"
#include "platform/Display.h"
#include "platform/FreshName.h"
#include "platform/KdeWallpaper.h"
#include "platform/RootWindowWallpaper.h"

#include <QFile>

SessionInfo SessionInfo::fromEnvironment() {
    SessionInfo s;
    s.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    s.wayland = WaylandReachable();
    s.sway = !qEnvironmentVariable("SWAYSOCK").isEmpty();
    s.x11 = XServerReachable();
    return s;
}

std::unique_ptr<WallpaperBackend> ChooseWallpaperBackend(const SessionInfo& session) {
    const QString desktop = session.currentDesktop.toLower();
    // More specific names first: "Budgie:GNOME" or "ubuntu:GNOME" are GNOME, "X-Cinnamon" is not.
    if (desktop.contains("kde")) return std::make_unique<KdeWallpaper>();
    if (desktop.contains("xfce")) return std::make_unique<XfceWallpaper>();
    if (desktop.contains("lxqt")) return CommandWallpaper::lxqt();
    if (desktop.contains("lxde")) return CommandWallpaper::lxde();
    if (desktop.contains("cinnamon")) return CommandWallpaper::cinnamon();
    if (desktop.contains("mate")) return CommandWallpaper::mate();
    if (desktop.contains("gnome") || desktop.contains("unity") || desktop.contains("budgie"))
        return CommandWallpaper::gnome();
    if (desktop.contains("sway") || desktop.contains("wlroots") || session.sway || session.wayland)
        return std::make_unique<SwayWallpaper>();
    if (session.x11) return std::make_unique<RootWindowWallpaper>();
    return nullptr;
}

WallpaperResult SetDesktopWallpaper(const QString& file) {
    const std::unique_ptr<WallpaperBackend> backend = ChooseWallpaperBackend(SessionInfo::fromEnvironment());
    if (!backend)
        return {WallpaperResult::Status::NoSession,
                "keine grafische Sitzung: das Bild wurde gespeichert, aber nicht als Hintergrund gesetzt"};
    const QString shown = backend->needsFreshName() ? FreshWallpaperName(file) : file;
    const QString error = backend->apply(shown);
    if (!error.isEmpty()) {
        if (shown != file) QFile::remove(shown); // the desktop keeps the name it had
        return {WallpaperResult::Status::Refused, backend->name() + ": " + error};
    }
    if (shown != file) RemoveOldWallpaperNames(file, shown);
    return {};
}

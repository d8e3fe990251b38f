#pragma once

#include <QString>
#include <memory>

// One way of making a picture file the desktop wallpaper.
class WallpaperBackend {
public:
    virtual ~WallpaperBackend() = default;
    virtual QString name() const = 0;
    // Desktops that ignore a changed file under an unchanged name get a fresh name at each change.
    virtual bool needsFreshName() const { return false; }
    // Makes `file` the wallpaper. Returns an empty string, or why it could not.
    virtual QString apply(const QString& file) = 0;
};

// What the session tells about the desktop it runs.
struct SessionInfo {
    QString currentDesktop; // $XDG_CURRENT_DESKTOP
    bool wayland = false;   // a Wayland session ($WAYLAND_DISPLAY)
    bool x11 = false;       // an X server is reachable ($DISPLAY)
    bool sway = false;      // $SWAYSOCK

    static SessionInfo fromEnvironment();
};

// The backend for the session: by desktop name (compared lower-case, as a substring), then
// wlroots compositors, then any X11 session through the root window. nullptr without a session.
std::unique_ptr<WallpaperBackend> ChooseWallpaperBackend(const SessionInfo& session);

// Makes `file` the wallpaper of the running session. Returns an empty string, or why it could not
// (also when there is no graphical session at all).
QString SetDesktopWallpaper(const QString& file);

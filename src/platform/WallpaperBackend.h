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
    bool wayland = false;   // the Wayland display of $WAYLAND_DISPLAY is reachable
    bool x11 = false;       // the X server of $DISPLAY is reachable
    bool sway = false;      // $SWAYSOCK

    static SessionInfo fromEnvironment();
};

// The backend for the session: by desktop name (compared lower-case, as a substring), then
// wlroots compositors, then any X11 session through the root window. nullptr without a session.
std::unique_ptr<WallpaperBackend> ChooseWallpaperBackend(const SessionInfo& session);

struct WallpaperResult {
    enum class Status {
        Set,       // the desktop shows the picture
        NoSession, // there is no graphical session to show it
        Refused,   // a desktop was found, but it did not take the picture
    };
    Status status = Status::Set;
    QString message; // why it is not shown, for the user; empty when Set
};

// Makes `file` the wallpaper of the running session.
WallpaperResult SetDesktopWallpaper(const QString& file);

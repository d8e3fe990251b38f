#pragma once

#include "platform/ExternalCommand.h"
#include "platform/WallpaperBackend.h"

#include <QList>
#include <functional>

// Desktops whose wallpaper is set by running their own tools.
class CommandWallpaper : public WallpaperBackend {
public:
    using CommandBuilder = std::function<QList<ExternalCommand>(const QString& file)>;
    // Empty when the desktop is there to take the picture, otherwise why it is not.
    using Precondition = std::function<QString()>;

    CommandWallpaper(QString name, bool freshName, CommandBuilder commands, Precondition ready = {});
    static std::unique_ptr<WallpaperBackend> gnome();
    static std::unique_ptr<WallpaperBackend> cinnamon();
    static std::unique_ptr<WallpaperBackend> mate();
    static std::unique_ptr<WallpaperBackend> lxqt();
    static std::unique_ptr<WallpaperBackend> lxde();

    QString name() const override { return name_; }
    bool needsFreshName() const override { return freshName_; }
    QString apply(const QString& file) override;
    QList<ExternalCommand> commands(const QString& file) const { return commands_(file); }

private:
    QString name_;
    bool freshName_;
    CommandBuilder commands_;
    Precondition ready_;
};

// XFCE keeps one last-image property per monitor and workspace: every one that exists is set;
// when there is none yet, the one of the first workspace on `monitor` (a RandR output name).
QList<ExternalCommand> XfceCommands(const QString& propertyList, const QString& file, const QString& monitor);

class XfceWallpaper : public WallpaperBackend {
public:
    QString name() const override { return "XFCE"; }
    QString apply(const QString& file) override;
};

// wlroots compositors (sway and others) show what a swaybg process draws: a new one is started
// for the new picture, in its own session and with its output discarded, then the previous one is
// ended. swaymsg serves when swaybg is missing.
class SwayWallpaper : public WallpaperBackend {
public:
    QString name() const override { return "wlroots"; }
    QString apply(const QString& file) override;
};

#pragma once

#include "platform/WallpaperBackend.h"

// The script for the Plasma shell that switches every desktop to the plain image wallpaper, sets
// the picture and prints how many desktops it changed.
QString KdeWallpaperScript(const QString& file);

// KDE Plasma: the shell's scripting interface over D-Bus.
class KdeWallpaper : public WallpaperBackend {
public:
    QString name() const override { return "KDE Plasma"; }
    bool needsFreshName() const override { return true; }
    QString apply(const QString& file) override;
};

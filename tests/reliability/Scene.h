#pragma once

#include "app/Settings.h"

#include <QSize>
#include <QString>
#include <QStringList>

// A user's files for `velomira --next`, all under one folder: three pictures, the storage folder and
// the settings file (every value written, pictures by name).
struct Scene {
    explicit Scene(const QString& folder);

    QString folder;
    QString storage; // folder/storage
    QString bmp;     // the wallpaper file in it
    QString config;  // XDG_CONFIG_HOME
    QString ini;     // the settings file

    // The environment for the program: these settings, no display, no desktop to set.
    QStringList env() const;
    // --next with the screen size `size`.
    static QStringList nextArgs(QSize size);
};

#pragma once

#include "app/ProgramState.h"
#include "pictures/PictureList.h"
#include "platform/WallpaperBackend.h"

// The name of the wallpaper file in the storage folder.
inline constexpr const char* kWallpaperFileName = "Velomira.bmp";

// Composes the next wallpaper: advances CurrentIndex (wrapping to 1), reads that picture, fits it
// to the screen by the fit mode, lays it on a screen-sized canvas of the background colour, writes
// <bmpverzeichnis>/Velomira.bmp and makes it the desktop wallpaper. Without pictures the canvas is
// plain. Does nothing while start-up is in progress.
//
// A failure shows its description through ShowErrInfo; the wallpaper file and the desktop stay as
// they were and CurrentIndex stays advanced, so the next call moves on. Returns true when the
// wallpaper file was written; then `shown`, when given, tells whether the desktop took it.
bool ComposeWallpaper(ProgramState& program, const PictureList& pictures, WallpaperResult* shown = nullptr);

// The same for the program's one state and picture list.
bool ComposeWallpaper();

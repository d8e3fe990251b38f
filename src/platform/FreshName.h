#pragma once

#include <QString>

// Some desktops keep showing a file they have cached under its name, even after it changed. They
// are handed a hard link to the file under a new name instead ("Velomira-<n>.bmp" in the same
// folder, n counting up); links of earlier changes are removed once the new one is set. The file
// itself stays the current wallpaper under its own name.
//
// Returns the new name, or `file` itself when no link can be made (the desktop then sees the
// unchanged name, which is still better than nothing).
QString FreshWallpaperName(const QString& file);

// Removes the links FreshWallpaperName made for `file`, except `keep`.
void RemoveOldWallpaperNames(const QString& file, const QString& keep);

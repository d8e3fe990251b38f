#pragma once

#include "platform/WallpaperBackend.h"

// Any other X11 session: the picture becomes a pixmap that stays on the server after the program
// ends, set as the root window's background and announced in _XROOTPMAP_ID and ESETROOT_PMAP_ID,
// where terminals and panels with pseudo-transparency look for it. The pixmap set before by the same
// means is freed, so repeated changes do not pile up pixmaps on the server.
class RootWindowWallpaper : public WallpaperBackend {
public:
    QString name() const override { return "X11"; }
    QString apply(const QString& file) override;
};

// The RandR name of the X server's primary output (or of the first connected one); "0" when the
// server cannot tell.
QString PrimaryOutputName();

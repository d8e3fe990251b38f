#pragma once

#include "app/Settings.h"
#include "imagelib/ImageBuffer.h"

#include <QImage>
#include <QSize>

// The preview of the stamp settings dialog: one of the shipped sample pictures scaled to the
// preview's size, with the stamp and the calendar drawn on it at their real pixel sizes.
class StampPreview {
public:
    explicit StampPreview(QSize size);

    // The sample with `settings`' stamp and calendar. Placeholders are shown as written; with an
    // empty stamp text neither is drawn, so the bare sample shows.
    QImage render(const Settings& settings) const;

private:
    ImageBuffer sample_;
};

// What the renderer makes of a short text in direction `richtung` (0 to 3), for the direction
// buttons: it shows the turn itself rather than a drawing of it.
QImage DirectionPicture(int richtung);

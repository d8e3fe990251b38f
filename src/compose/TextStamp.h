#pragma once

#include "app/Settings.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>

// The box behind the stamp and the frame around it: a colour of -1 draws none.
struct StampBackdrop {
    int32_t bgColour = -1;
    int32_t bgOpacity = 0;
    int32_t frameColour = -1;
};

// The backdrop the stamp settings ask for: the box only with `hintergrund`, the frame only with
// `rahmen`.
StampBackdrop BackdropOf(const Settings::Textstempel& stamp);

// The top-left corner of a stamp of `stamp` size at anchor `position` (1 top left to 9 bottom
// right, row by row; anything else puts it at 0, 0) on an image of `image` size. The offsets are
// always added, so right and bottom anchors need negative offsets for a margin.
QPoint StampAnchor(int32_t position, QSize image, QSize stamp, int32_t offsetx, int32_t offsety);

// Draws `text` ("%\" breaks lines) on the registered working image in the style of the stamp
// settings (schriftart, hoehe, farbe, farbelesbar, deckkraft, ausrichtung, position, offsetx,
// offsety, richtung, gewicht, kursiv, unterstrichen, durchgestrichen) with `backdrop`. Draws nothing
// for an empty text, a height <= 0, no registered image or a text that cannot be measured; a
// failing later step is left out and the rest is drawn. So is a value the settings window cannot
// set: the text stays upright for a `richtung` other than 1 to 3 and is drawn without a style flag
// outside 0 to 255. Never reports anything.
void RenderTextStamp(const QString& text, const Settings::Textstempel& style, const StampBackdrop& backdrop);

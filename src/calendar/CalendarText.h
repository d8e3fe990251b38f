#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

// The placement, measuring and drawing of the calendar's texts on the registered working image
// (compose/WorkingImage.h). Each does nothing, or gives 0, while no image is registered.

// A font as the calendar settings describe one: face, height in pixels (the cell height), weight,
// the style flags 0 or 1 and the character set (2 for a symbol font).
struct CalendarFont {
    QString face;
    int32_t height = 0;
    int32_t weight = 400;
    int32_t italic = 0;
    int32_t underline = 0;
    int32_t strikeOut = 0;
    int32_t charSet = 0;
};

// The left and top edge of a block of `width` (`height`) at anchor `position` (1 top left to 9 bottom
// right, row by row) plus the offset, which is always added. Centred blocks round half to even.
// Any other position gives 0.
int32_t AnchorX(int32_t position, int32_t offset, int32_t width);
int32_t AnchorY(int32_t position, int32_t offset, int32_t height);

// The width of `text` ("%\" breaks lines: the widest line counts) measured at four times the font's
// height, scaled back, plus one pixel. 0 for an empty text, a height <= 0 or a failed measurement.
double MeasureTextWidth(const QString& text, const CalendarFont& font);

// DrawText-style flags of the calendar's texts.
constexpr int32_t kTextLeft = 36;   // left, vertically centred, one line
constexpr int32_t kTextCentre = 37; // centred, vertically centred, one line
constexpr int32_t kTextRight = 38;  // right, vertically centred, one line

// Draws `text` ("%\" breaks lines) smoothly into `rect` with the flags `format` (an "&" is always
// shown as it is) at `opacity` percent. With `autoContrast` the colour becomes black or white,
// whichever reads better on the rectangle's average colour. Draws nothing for an empty text or a
// height <= 0.
void DrawSmoothText(const QString& text, const CalendarFont& font, int32_t colour, bool autoContrast,
                    int32_t opacity, int32_t format, const QRect& rect);

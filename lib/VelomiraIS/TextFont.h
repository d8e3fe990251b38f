#pragma once

#include "VelomiraIS.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QStringList>

// The pixel grid text is laid out on: 72 dots per inch, so that a point is a pixel and fractional
// pixel sizes survive (QFont::setPixelSize takes whole pixels only). Every painted image gets it.
inline constexpr int kPixelDotsPerMeter = 2835;

// A font record resolved to a Qt font, with the line metrics that measuring and drawing share, so
// that a block drawn into the rectangle it was measured for fits it.
//
// Small fonts are laid out enlarged by scale() and drawn scaled back: glyph advances are rounded
// to whole pixels at the layout size, and at small sizes that rounding would make a text measured
// at four times its height (as the stamp does) wider than the same text drawn at its height.
class TextFont {
public:
    explicit TextFont(const IS40_LOGFONT& record);

    // The font at the layout size; draw it with the painter scaled by 1 / scale().
    const QFont& font() const { return font_; }
    double scale() const { return scale_; }
    // Metrics at the record's size.
    double ascent() const { return ascent_; }
    double lineHeight() const { return lineHeight_; }
    double advance(const QString& line) const { return metrics_.horizontalAdvance(line) / scale_; }

private:
    QImage device_;
    double scale_;
    QFont font_;
    QFontMetricsF metrics_{font_};
    double ascent_ = 0;
    double lineHeight_ = 0;
};

// The lines of a UTF-8 text as they are drawn: split at "\r\n", "\n" and "\r" (joined by spaces with
// IS40_DT_SINGLELINE), with "&" prefixes resolved unless IS40_DT_NOPREFIX is given.
QStringList TextLines(const char* text, int32_t flags);

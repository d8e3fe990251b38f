#pragma once

#include <QRect>
#include <cstdint>

// Character codes of the principal moon phases in the moon font.
constexpr int kNewMoon = 68;
constexpr int kFirstQuarter = 69;
constexpr int kFullMoon = 65;
constexpr int kLastQuarter = 67;

// The moon font; its glyphs are used when it is installed.
inline constexpr const char* kMoonFont = "Almanac MT";

// Draws the moon phase `symbol` at the left of `rect`, centred vertically, `height` pixels high, in
// `colour` (COLORREF) on the registered working image. With the moon font installed its glyph is drawn
// (in `weight`); without it a symbol of our own at the same place and size, anti-aliased: a filled
// disc for new moon, a ring for full moon, a half disc lit on the right for the first quarter and on
// the left for the last quarter. Unknown codes and a height <= 0 draw nothing.
void DrawMoonSymbol(int symbol, const QRect& rect, int32_t height, int32_t weight, int32_t colour);

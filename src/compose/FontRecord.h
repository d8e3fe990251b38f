#pragma once

#include "VelomiraIS.h"

#include <QStringView>
#include <optional>

// The image library's font record: `height` in pixels (positive: the cell height, ascent +
// descent), `weight` 400 normal / 700 bold, the style flags and the character set stored as bytes,
// the face name as UTF-8 cut to whole characters within the 31 bytes before its terminating zero.
// Empty when a style flag or the character set does not fit a byte (0 to 255): the caller then
// draws nothing with it.
std::optional<IS40_LOGFONT> MakeFontRecord(QStringView face, int32_t height, int32_t weight, int32_t italic,
                                           int32_t underline, int32_t strikeOut, int32_t charSet = 0);

#pragma once

#include "VelomiraIS.h"

#include <QStringView>

// The image library's font record: `height` in pixels (positive: the cell height, ascent +
// descent), `weight` 400 normal / 700 bold, the style flags and the character set stored as bytes,
// the face name as UTF-8 cut to whole characters within the 31 bytes before its terminating zero.
// A style flag or character set that does not fit its byte (0 to 255), as a hand-edited setting may
// hold, is left at 0: the text is drawn without that style.
IS40_LOGFONT MakeFontRecord(QStringView face, int32_t height, int32_t weight, int32_t italic,
                            int32_t underline, int32_t strikeOut, int32_t charSet = 0);

#pragma once

#include <cstdint>
#include <optional>

// Black or white, whichever reads better on `background` (COLORREF): black when its luminance
// 0.299 R + 0.587 G + 0.114 B is above 127.5 (half of full white), else white. Judging by
// brightness rather than by the packed number keeps black text on yellow and white text on blue.
uint32_t ReadableOn(uint32_t background);

// The readable colour for a text over the rectangle (left, top, left + width, top + height) of the
// working image, judged by the rectangle's average colour (parts outside the image count as black).
// Empty when no working image is registered or the average cannot be had.
std::optional<uint32_t> ReadableColour(int32_t left, int32_t top, int32_t width, int32_t height);

#pragma once

#include <cstdint>

// Rectangles and lines on the registered working image (WorkingImage.h), shared by the text stamp
// and the calendar. Both do nothing while no working image is registered, and clip to it.

// Lays `colour` (COLORREF) at `opacity` percent (0 to 100) over the rectangle (right and bottom
// exclusive); a right of -1 stands for the image's right edge, a bottom of -1 for its bottom edge.
void FillTransparentRect(int32_t colour, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         int32_t opacity);

// A thin line in `colour` (COLORREF) from (x1, y1) to (x2, y2), both end points included.
void DrawLine(int32_t colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

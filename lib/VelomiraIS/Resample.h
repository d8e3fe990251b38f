#pragma once

#include "Pixels.h"

// The part of a resize that is made: the whole result is outWidth x outHeight, and dst receives
// the dst.width x dst.height pixels of it from (left, top) on, the same pixels that the whole result
// has there. The window lies inside the result.
struct ResizeWindow {
    int32_t outWidth, outHeight, left, top;
};

// The filters of IS40_ResizeImagePart; each scales src and writes the window of the result into
// dst. Both views are valid and do not overlap. They may throw std::bad_alloc.

// Lanczos-3, widened by the shrink factor when shrinking; a flat colour stays exactly flat.
void ResampleLanczos(const ConstView& src, const MutableView& dst, const ResizeWindow& window);

// Exact area average: each output pixel is the rounded mean of the source area it covers, with
// partly covered pixels weighted by the part covered.
void ResampleAreaAverage(const ConstView& src, const MutableView& dst, const ResizeWindow& window);

#pragma once

#include "Pixels.h"

#include <functional>

// The part of a resize that is made: the whole result is outWidth x outHeight, and dst receives
// the dst.width x dst.height pixels of it from (left, top) on, the same pixels that the whole result
// has there. The window lies inside the result.
struct ResizeWindow {
    int32_t outWidth, outHeight, left, top;
};

// The part `rect` of a width2 x height2 result as a resize writes it into dst: false when the
// rectangle is empty or outside the result, or the buffer is not valid.
bool ResizeTarget(uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride, const IS40_RECT* rect,
                  MutableView& to, ResizeWindow& window);

// The filters of IS40_ResizeImagePart; each scales src and writes the window of the result into
// dst. Both views are valid and do not overlap. They may throw std::bad_alloc.

// Lanczos-3, widened by the shrink factor when shrinking; a flat colour stays exactly flat.
void ResampleLanczos(const ConstView& src, const MutableView& dst, const ResizeWindow& window);

// Source rows for a resample in bands: rows(lo, hi) gives a view whose row 0 is source row lo and
// which holds at least the rows [lo, hi), valid until the next call; calls come with lo and hi
// growing. A view without data (a source that failed) ends the resample.
using RowReader = std::function<ConstView(int32_t lo, int32_t hi)>;

// Whether ResampleLanczosBands can make a resize of a width x height source: one that changes the
// width and shrinks the height.
bool ResamplesInBands(int32_t width, int32_t height, const ResizeWindow& window);

// ResampleLanczos for such a resize, pixel for pixel, from a width x height source that is read in
// bands of rows, on two threads: each gets its own reader from openReader(), and the first makes
// `firstShare` of the rows of dst. Returns false when a reader failed.
bool ResampleLanczosBands(int32_t width, int32_t height, const std::function<RowReader()>& openReader,
                          double firstShare, const MutableView& dst, const ResizeWindow& window);

// Exact area average: each output pixel is the rounded mean of the source area it covers, with
// partly covered pixels weighted by the part covered.
void ResampleAreaAverage(const ConstView& src, const MutableView& dst, const ResizeWindow& window);

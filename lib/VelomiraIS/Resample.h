#pragma once

#include "Pixels.h"

// The filters of IS40_ResizeImage; each scales the whole of src into the whole of dst. Both
// views are valid and do not overlap. They may throw std::bad_alloc.

// Lanczos-3, widened by the shrink factor when shrinking; a flat colour stays exactly flat.
void ResampleLanczos(const ConstView& src, const MutableView& dst);

// Exact area average: each output pixel is the rounded mean of the source area it covers, with
// partly covered pixels weighted by the part covered.
void ResampleAreaAverage(const ConstView& src, const MutableView& dst);

#pragma once

#include "LargeBuffer.h"
#include "RgbView.h"

#include <cstdint>

namespace velomira::carve {

struct CarveOptions {
    // One pass of the cost computation tries (current width) / seamsPerPassDivisor disjoint seams and
    // keeps those that stay cheap; 0 takes one seam per pass, the classic method.
    int seamsPerPassDivisor = 16;
    // Share the row work of large pictures between two threads.
    bool bothCores = true;
};

// What is left of a picture once its seams are removed: for each row, the original columns of the
// `width` pixels that remain, in order; rows are `stride` elements apart.
struct Remaining {
    LargeBuffer<int32_t> columns;
    int width = 0;
    size_t stride = 0;

    const int32_t* row(int y) const { return columns.data() + static_cast<size_t>(y) * stride; }
};

// Removes `count` (0 .. width) vertical seams of `image`, one after another, each on the picture left
// by the ones before. Throws std::bad_alloc when memory runs out.
Remaining FindSeams(const RgbView& image, int count, const CarveOptions& options);

} // namespace velomira::carve

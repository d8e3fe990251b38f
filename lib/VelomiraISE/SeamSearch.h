#pragma once

#include "RgbView.h"

#include <cstdint>
#include <vector>

namespace velomira::carve {

struct CarveOptions {
    // One pass of the cost computation tries (current width) / seamsPerPassDivisor disjoint seams and
    // keeps those that stay cheap; 0 takes one seam per pass, the classic method.
    int seamsPerPassDivisor = 16;
    // Share the row work of large pictures between two threads.
    bool bothCores = true;
};

// Finds `count` (0 .. width) vertical seams of `image` in the order in which carving removes them, each
// on the picture left by the ones before. Returns a row-major width x height mask, 1 for every pixel on
// a seam: each row holds exactly `count` ones. Throws std::bad_alloc when memory runs out.
std::vector<uint8_t> FindSeams(const RgbView& image, int count, const CarveOptions& options);

} // namespace velomira::carve

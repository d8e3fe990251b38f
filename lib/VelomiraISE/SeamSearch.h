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

// The seams found, a pass at a time: each pass's seams are columns of the rows as the passes before
// it left them, ascending in each row. Far smaller than a column map of the picture when few seams go.
class Seams {
public:
    Seams(int width, int count) : width_(width), count_(count) {}
    // Adds a pass of `perRow` seams, `columns` holding them row by row.
    void add(std::vector<int32_t> columns, int perRow) { passes_.push_back({perRow, std::move(columns)}); }
    // The picture's columns that the seams take in row y, ascending; `work` is working space.
    void row(int y, std::vector<int32_t>& columns, std::vector<int32_t>& work) const;

private:
    struct Pass {
        int perRow;
        std::vector<int32_t> columns;
    };
    int width_;
    int count_;
    std::vector<Pass> passes_;
};

// Removes `count` (0 .. width) vertical seams of `image`, one after another, each on the picture left
// by the ones before. Throws std::bad_alloc when memory runs out.
Seams FindSeams(const RgbView& image, int count, const CarveOptions& options);

} // namespace velomira::carve

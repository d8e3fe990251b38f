#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace velomira::carve {

// The cumulative seam costs of one direction, row after row. Only the first row of each block of
// kBlock rows and the last row are kept; seam tracing asks for the rows in the opposite order, and a
// row it asks for is recomputed with the rest of its block from the block's first row. So the costs
// take a few dozen rows of memory instead of a picture's worth, and the rows being traced stay in the
// cache; the values are the ones a single pass gives.
class CostRows {
public:
    // step(i, previous, row) computes row i from row i - 1 (`previous`; null for row 0).
    using Step = std::function<void(int i, const int32_t* previous, int32_t* row)>;

    CostRows(int stride, int count, Step step);

    // All rows, from row 0 on; afterwards the costs of the current width can be asked for.
    void compute();
    const int32_t* row(int i);
    const int32_t* last() const { return last_.data(); }

private:
    static constexpr int kBlock = 32;

    int32_t* first(int block) { return firsts_.data() + static_cast<size_t>(block) * stride_; }
    int32_t* inBlock(int i) { return block_.data() + static_cast<size_t>(i % kBlock) * stride_; }
    int32_t* computeRow(int i, const int32_t* previous);

    size_t stride_;
    int count_;
    Step step_;
    std::vector<int32_t> firsts_; // the first row of each block
    std::vector<int32_t> block_;  // the other rows of the block `current_`
    std::vector<int32_t> last_;
    int current_ = -1;
};

} // namespace velomira::carve

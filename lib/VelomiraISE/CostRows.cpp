#include "CostRows.h"

#include <algorithm>

namespace velomira::carve {

CostRows::CostRows(int stride, int count, Step step)
    : stride_(static_cast<size_t>(stride)), count_(count), step_(std::move(step)),
      firsts_((static_cast<size_t>(count) + kBlock - 1) / kBlock * stride_), block_(kBlock * stride_),
      last_(stride_) {}

int32_t* CostRows::computeRow(int i, const int32_t* previous) {
    int32_t* row = i % kBlock == 0 ? first(i / kBlock) : inBlock(i);
    step_(i, previous, row);
    return row;
}

void CostRows::compute() {
    const int32_t* previous = nullptr;
    for (int i = 0; i < count_; ++i)
        previous = computeRow(i, previous);
    std::copy_n(previous, stride_, last_.data());
    current_ = (count_ - 1) / kBlock; // its rows are still in the block
}

const int32_t* CostRows::row(int i) {
    const int block = i / kBlock;
    if (i % kBlock == 0) return first(block);
    if (block != current_) {
        const int32_t* previous = first(block);
        for (int k = block * kBlock + 1; k < std::min(count_, (block + 1) * kBlock); ++k)
            previous = computeRow(k, previous);
        current_ = block;
    }
    return inBlock(i);
}

} // namespace velomira::carve

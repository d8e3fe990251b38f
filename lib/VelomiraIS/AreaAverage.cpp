#include "Parallel.h"
#include "Resample.h"
#include "Taps.h"

#include <algorithm>

namespace {

// In units where a source pixel is outSize long and an output pixel inSize long, every overlap
// is a whole number, so the average is exact: output i = sum of overlap * source / inSize. Only
// outputs [from, from + count) are wanted.
Taps<uint32_t> taps(int32_t inSize, int32_t outSize, int32_t from, int32_t count) {
    Taps<uint32_t> result;
    std::vector<uint32_t> overlaps;
    for (int64_t i = from; i < int64_t(from) + count; ++i) {
        const int64_t begin = i * inSize, end = begin + inSize;
        overlaps.clear();
        const int64_t first = begin / outSize;
        for (int64_t j = first; j * outSize < end; ++j)
            overlaps.push_back(uint32_t(std::min(end, (j + 1) * outSize) - std::max(begin, j * outSize)));
        result.add(int32_t(first), overlaps);
    }
    return result;
}

// Adds weight * (the horizontal sums of one source row) to `sums`.
void addRow(const uint8_t* in, const Taps<uint32_t>& across, uint64_t weight, uint64_t* sums) {
    for (size_t x = 0; x < across.first.size(); ++x, sums += 3) {
        const uint8_t* p = in + int64_t(across.first[x]) * 3;
        const uint32_t* w = &across.weights[across.offset[x]];
        uint64_t r = 0, g = 0, b = 0;
        for (int32_t k = 0; k < across.count[x]; ++k, p += 3)
            r += uint64_t(w[k]) * p[0], g += uint64_t(w[k]) * p[1], b += uint64_t(w[k]) * p[2];
        sums[0] += weight * r, sums[1] += weight * g, sums[2] += weight * b;
    }
}

} // namespace

void ResampleAreaAverage(const ConstView& src, const MutableView& dst, const ResizeWindow& window) {
    const Taps<uint32_t> across = taps(src.width, window.outWidth, window.left, dst.width);
    const Taps<uint32_t> down = taps(src.height, window.outHeight, window.top, dst.height);
    // Both overlaps add up to the source's sides, so a sum is at most 255 * width * height.
    const uint64_t area = uint64_t(src.width) * uint64_t(src.height);
    const int64_t workPerRow = int64_t(across.weights.size()) * 3 * (src.height / window.outHeight + 1);
    RunInTwo(dst.height, workPerRow, [&](int64_t y0, int64_t y1) {
        std::vector<uint64_t> sums(size_t(dst.width) * 3);
        for (int64_t y = y0; y < y1; ++y) {
            std::fill(sums.begin(), sums.end(), 0);
            for (int32_t k = 0; k < down.count[y]; ++k)
                addRow(src.pixel(0, down.first[y] + k), across, down.weights[down.offset[y] + k],
                       sums.data());
            uint8_t* out = dst.pixel(0, int32_t(y));
            for (size_t i = 0; i < sums.size(); ++i)
                out[i] = uint8_t((sums[i] + area / 2) / area);
        }
    });
}

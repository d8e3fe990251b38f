#include "Parallel.h"
#include "Resample.h"
#include "Taps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <utility>

namespace {

// Weights are fixed point with 14 fraction bits: they fit in 16 bits (no Lanczos-3 weight
// reaches 2) and sums of weight * byte fit in 32 bits.
constexpr int kFractionBits = 14;
constexpr int32_t kOne = 1 << kFractionBits;
constexpr double kLobes = 3.0;

// The two loops are built twice, for AVX2 and for any x86-64; the CPU picks at load time.
#define VELOMIRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))

double sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double lanczos(double x) {
    return std::abs(x) < kLobes ? sinc(x) * sinc(x / kLobes) : 0.0;
}

// The taps of outputs [from, from + count) of an inSize to outSize axis. Each output's taps depend
// on its own position alone, so a part of the axis has the weights that the whole axis has there.
// When shrinking, the kernel is widened by the factor so that every source pixel contributes
// (no aliasing); pixels beyond the edge are left out and the remaining weights renormalised.
Taps<int16_t> taps(int32_t inSize, int32_t outSize, int32_t from, int32_t count) {
    const double scale = double(inSize) / outSize;
    const double widen = std::max(scale, 1.0);
    const double support = kLobes * widen;
    Taps<int16_t> result;
    std::vector<double> w;
    std::vector<int16_t> fixed;
    for (int64_t i = from; i < int64_t(from) + count; ++i) {
        const double centre = (double(i) + 0.5) * scale;
        const int32_t lo = std::max(0, int32_t(std::floor(centre - support + 0.5)));
        const int32_t hi = std::min(inSize, int32_t(std::floor(centre + support + 0.5)));
        w.clear();
        double sum = 0;
        for (int32_t x = lo; x < hi; ++x)
            sum += w.emplace_back(lanczos((x + 0.5 - centre) / widen));
        // Round the running total rather than each weight: the weights then add up to exactly
        // one (a flat colour stays flat), and many tiny weights of a large shrink do not all
        // round away to nothing.
        fixed.clear();
        double total = 0;
        int32_t previous = 0;
        for (const double v : w) {
            total += v / sum * kOne;
            const int32_t next = int32_t(std::lround(total));
            fixed.push_back(int16_t(next - previous));
            previous = next;
        }
        result.add(lo, fixed);
    }
    return result;
}

// The source pixels [lo, hi) that the taps use, with `first` made to count from lo.
std::pair<int32_t, int32_t> rebase(Taps<int16_t>& t) {
    const int32_t lo = *std::min_element(t.first.begin(), t.first.end());
    int32_t hi = lo;
    for (size_t i = 0; i < t.first.size(); ++i) {
        hi = std::max(hi, t.first[i] + t.count[i]);
        t.first[i] -= lo;
    }
    return {lo, hi};
}

uint8_t toByte(int32_t sum) {
    return uint8_t(std::clamp((sum + kOne / 2) >> kFractionBits, 0, 255));
}

// Rows are filtered in strips: the strip is first turned so that each source column's pixels lie
// side by side, and then every tap is one multiply-add over the whole column, which the compiler
// vectorises (filtering along a row of interleaved channels does not vectorise).
constexpr int kStripRows = 16;
constexpr int kStripBytes = kStripRows * 3;
// Rows of the result per band when the vertical pass comes first: a few strips for each thread.
constexpr int32_t kBandRows = 8 * kStripRows;

VELOMIRA_VECTOR_CLONES void horizontal(const ConstView& src, const MutableView& dst, const Taps<int16_t>& t,
                                       int64_t y0, int64_t y1) {
    std::vector<uint8_t> columns(size_t(src.width) * kStripBytes);
    int32_t sums[kStripBytes];
    for (int64_t y = y0; y < y1; y += kStripRows) {
        const int rows = int(std::min<int64_t>(kStripRows, y1 - y));
        for (int r = 0; r < rows; ++r) {
            const uint8_t* in = src.pixel(0, int32_t(y + r));
            for (int32_t x = 0; x < src.width; ++x)
                std::memcpy(&columns[size_t(x) * kStripBytes + size_t(r) * 3], in + x * 3, 3);
        }
        for (int32_t x = 0; x < dst.width; ++x) {
            std::fill_n(sums, kStripBytes, 0);
            const uint8_t* column = &columns[size_t(t.first[x]) * kStripBytes];
            const int16_t* w = &t.weights[t.offset[x]];
            for (int32_t k = 0; k < t.count[x]; ++k, column += kStripBytes)
                for (int i = 0; i < kStripBytes; ++i)
                    sums[i] += w[k] * column[i];
            for (int r = 0; r < rows; ++r) {
                uint8_t* out = dst.pixel(x, int32_t(y + r));
                out[0] = toByte(sums[r * 3]), out[1] = toByte(sums[r * 3 + 1]),
                out[2] = toByte(sums[r * 3 + 2]);
            }
        }
    }
}

VELOMIRA_VECTOR_CLONES void vertical(const ConstView& src, const MutableView& dst, const Taps<int16_t>& t,
                                     int64_t y0, int64_t y1, int64_t top) {
    const size_t rowBytes = size_t(dst.width) * 3;
    std::vector<int32_t> sums(rowBytes);
    for (int64_t y = y0; y < y1; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int32_t k = 0; k < t.count[y]; ++k) {
            const int32_t w = t.weights[t.offset[y] + k];
            const uint8_t* in = src.pixel(0, t.first[y] + k);
            for (size_t i = 0; i < rowBytes; ++i)
                sums[i] += w * in[i];
        }
        uint8_t* out = dst.pixel(0, int32_t(y - top));
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = toByte(sums[i]);
    }
}

void copy(const ConstView& src, const MutableView& dst) {
    for (int32_t y = 0; y < dst.height; ++y)
        std::memcpy(dst.pixel(0, y), src.pixel(0, y), size_t(dst.width) * 3);
}

} // namespace

void ResampleLanczos(const ConstView& src, const MutableView& dst, const ResizeWindow& window) {
    // An axis that keeps its size is left out: its weights would be the identity, and the window's
    // pixels on it are source pixels.
    const bool across = src.width != window.outWidth, down = src.height != window.outHeight;
    Taps<int16_t> h, v;
    if (across) h = taps(src.width, window.outWidth, window.left, dst.width);
    if (down) v = taps(src.height, window.outHeight, window.top, dst.height);
    // Only the source pixels that the window is made of are read, and only their part of the
    // intermediate picture is made.
    const auto [x0, x1] = across ? rebase(h) : std::pair(window.left, window.left + dst.width);
    const auto [y0, y1] = down ? rebase(v) : std::pair(window.top, window.top + dst.height);
    const ConstView used{src.pixel(x0, y0), x1 - x0, y1 - y0, src.stride};

    const auto runHorizontal = [&h](const ConstView& from, const MutableView& to) {
        RunInTwo(to.height, int64_t(to.width) * 3 * h.count[0],
                 [&](int64_t r0, int64_t r1) { horizontal(from, to, h, r0, r1); });
    };
    // Makes rows [top, top + to.height) of the vertical pass's result into `to`.
    const auto runVertical = [&v](const ConstView& from, const MutableView& to, int64_t top) {
        RunInTwo(to.height, int64_t(to.width) * 3 * v.count[0],
                 [&](int64_t r0, int64_t r1) { vertical(from, to, v, top + r0, top + r1, top); });
    };
    if (!across && !down) return copy(used, dst);
    if (!down) return runHorizontal(used, dst);
    if (!across) return runVertical(used, dst, 0);

    // The horizontal pass costs more per pixel (three interleaved channels), so it runs on the
    // picture with fewer rows: after the vertical pass when that shrinks, before it otherwise. The
    // order follows the whole result, so that a window has the pixels of the whole.
    // After a vertical pass, the result is made in bands of rows: only a band of the intermediate
    // picture is held, and it is still in the cache when the horizontal pass reads it.
    const bool verticalFirst = window.outHeight < src.height;
    const int32_t midWidth = verticalFirst ? used.width : dst.width;
    const int32_t midHeight = verticalFirst ? std::min(kBandRows, dst.height) : used.height;
    const PixelBlock middle = AllocatePixels(size_t(midWidth) * 3 * size_t(midHeight));
    if (!middle) throw std::bad_alloc();
    const MutableView mid{middle.get(), midWidth, midHeight, midWidth * 3};
    if (!verticalFirst) {
        runHorizontal(used, mid);
        return runVertical(ConstView{mid.data, mid.width, mid.height, mid.stride}, dst, 0);
    }
    for (int32_t top = 0; top < dst.height; top += kBandRows) {
        const int32_t rows = std::min(kBandRows, dst.height - top);
        runVertical(used, MutableView{mid.data, mid.width, rows, mid.stride}, top);
        runHorizontal(ConstView{mid.data, mid.width, rows, mid.stride},
                      MutableView{dst.pixel(0, top), dst.width, rows, dst.stride});
    }
}

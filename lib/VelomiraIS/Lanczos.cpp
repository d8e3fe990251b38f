#include "Parallel.h"
#include "Resample.h"
#include "Taps.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <tuple>
#include <utility>

namespace {

// Weights are fixed point with 14 fraction bits: they fit in 16 bits (no Lanczos-3 weight
// reaches 2) and sums of weight * byte fit in 32 bits.
constexpr int kFractionBits = 14;
constexpr int32_t kOne = 1 << kFractionBits;
constexpr double kLobes = 3.0;

// The two loops are built twice, for AVX2 and for any x86-64; the CPU picks at load time.
#define VELOMIRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))

// sin(pi x) for the kernel's small arguments: the nearest whole number taken off, which leaves
// |r| <= pi/2 and flips the sign when odd, and then the sine's series to the 17th power, within 1e-13
// there. std::sin, which takes any argument, costs several times as much, and a resize of a photo
// needs tens of thousands of these before it can start.
double sinPi(double x) {
    const double whole = std::nearbyint(x);
    const double r = (x - whole) * std::numbers::pi, r2 = r * r;
    double series = 1.0; // sin(r) / r, from its innermost term out
    for (int k = 17; k >= 3; k -= 2)
        series = 1.0 - series * r2 / double(k * (k - 1));
    return int64_t(whole) % 2 == 0 ? r * series : -r * series;
}

double sinc(double x) {
    if (x == 0.0) return 1.0;
    return sinPi(x) / (x * std::numbers::pi);
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

// Copies a pixel as one 4-byte move when `wide`, which also reads and writes the byte after it; the
// callers go through the pixels in an order that writes that byte again afterwards.
inline void copyPixel(uint8_t* to, const uint8_t* from, bool wide) {
    if (!wide) return void(std::memcpy(to, from, 3));
    uint32_t v;
    std::memcpy(&v, from, 4);
    std::memcpy(to, &v, 4);
}

VELOMIRA_VECTOR_CLONES void horizontal(const ConstView& src, const MutableView& dst, const Taps<int16_t>& t,
                                       int64_t y0, int64_t y1) {
    std::vector<uint8_t> columns(size_t(src.width) * kStripBytes);
    int32_t sums[kStripBytes];
    uint8_t bytes[kStripBytes + 1];
    for (int64_t y = y0; y < y1; y += kStripRows) {
        const int rows = int(std::min<int64_t>(kStripRows, y1 - y));
        // Column by column, each from the top: the byte after a pixel is the next row's, or the next
        // column's first, written afterwards.
        const uint8_t* in[kStripRows];
        for (int r = 0; r < rows; ++r)
            in[r] = src.pixel(0, int32_t(y + r));
        uint8_t* to = columns.data();
        for (int32_t x = 0; x < src.width; ++x, to += kStripBytes)
            for (int r = 0; r < rows; ++r)
                copyPixel(to + r * 3, in[r] + x * 3, x < src.width - 1);
        for (int32_t x = 0; x < dst.width; ++x) {
            std::fill_n(sums, kStripBytes, 0);
            const uint8_t* column = &columns[size_t(t.first[x]) * kStripBytes];
            const int16_t* w = &t.weights[t.offset[x]];
            for (int32_t k = 0; k < t.count[x]; ++k, column += kStripBytes)
                for (int i = 0; i < kStripBytes; ++i)
                    sums[i] += w[k] * column[i];
            for (int i = 0; i < kStripBytes; ++i)
                bytes[i] = toByte(sums[i]);
            // Left to right: the byte after a pixel is the next one's, written later.
            for (int r = 0; r < rows; ++r)
                copyPixel(dst.pixel(x, int32_t(y + r)), &bytes[r * 3], x < dst.width - 1);
        }
    }
}

// Rows [y0, y1) of the vertical pass into dst rows from y0 - top on; row 0 of src is source row
// `firstRow`.
VELOMIRA_VECTOR_CLONES void vertical(const ConstView& src, const MutableView& dst, const Taps<int16_t>& t,
                                     int64_t y0, int64_t y1, int64_t top, int32_t firstRow) {
    const size_t rowBytes = size_t(dst.width) * 3;
    std::vector<int32_t> sums(rowBytes);
    for (int64_t y = y0; y < y1; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int32_t k = 0; k < t.count[y]; ++k) {
            const int32_t w = t.weights[t.offset[y] + k];
            const uint8_t* in = src.pixel(0, t.first[y] + k - firstRow);
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

// The source rows [lo, hi) that rows [y0, y1) of a pass with the taps `t` read.
std::pair<int32_t, int32_t> sourceRows(const Taps<int16_t>& t, int64_t y0, int64_t y1) {
    int32_t hi = t.first[y0];
    for (int64_t y = y0; y < y1; ++y)
        hi = std::max(hi, t.first[y] + t.count[y]);
    return {t.first[y0], hi};
}

// Rows [r0, r1) of a resize that shrinks vertically: band by band, the vertical pass makes the band
// from the rows that `rows` reads, and the horizontal pass the band of the result, while the band is
// still in the cache. Source rows count from `y0`, columns from `x0`.
bool shrinkRows(const RowReader& rows, int32_t x0, int32_t y0, int32_t width, const Taps<int16_t>& h,
                const Taps<int16_t>& v, const MutableView& dst, int64_t r0, int64_t r1) {
    const int32_t bandRows = int32_t(std::min<int64_t>(kBandRows, r1 - r0));
    const PixelBlock middle = AllocatePixels(size_t(width) * 3 * size_t(bandRows));
    if (!middle) throw std::bad_alloc();
    for (int64_t top = r0; top < r1; top += kBandRows) {
        const int64_t bottom = std::min<int64_t>(r1, top + kBandRows);
        const auto [lo, hi] = sourceRows(v, top, bottom);
        const ConstView band = rows(y0 + lo, y0 + hi);
        if (band.data == nullptr) return false;
        const MutableView mid{middle.get(), width, int32_t(bottom - top), width * 3};
        vertical(ConstView{band.pixel(x0, 0), width, hi - lo, band.stride}, mid, v, top, bottom, top, lo);
        horizontal(ConstView{mid.data, mid.width, mid.height, mid.stride},
                   MutableView{dst.pixel(0, int32_t(top)), dst.width, mid.height, dst.stride}, h, 0,
                   mid.height);
    }
    return true;
}

} // namespace

namespace {

// The taps of both axes of a resize and the source pixels [x0, x1) x [y0, y1) they read, the taps
// counting from there. An axis that keeps its size is left out: its weights would be the identity,
// and the window's pixels on it are source pixels.
struct Plan {
    bool across, down;
    Taps<int16_t> h, v;
    int32_t x0, x1, y0, y1;

    Plan(int32_t width, int32_t height, const ResizeWindow& window, int32_t dstWidth, int32_t dstHeight)
        : across(width != window.outWidth), down(height != window.outHeight) {
        if (across) h = taps(width, window.outWidth, window.left, dstWidth);
        if (down) v = taps(height, window.outHeight, window.top, dstHeight);
        std::tie(x0, x1) = across ? rebase(h) : std::pair(window.left, window.left + dstWidth);
        std::tie(y0, y1) = down ? rebase(v) : std::pair(window.top, window.top + dstHeight);
    }
};

// Both passes with the vertical one first, in bands of rows, on two threads.
bool resampleInBands(const Plan& plan, const std::function<RowReader()>& openReader, double firstShare,
                     const MutableView& dst) {
    std::atomic<bool> failed = false;
    RunInTwo(
        dst.height, int64_t(dst.width) * 3 * (plan.h.count[0] + plan.v.count[0]),
        int64_t(dst.height * firstShare), [&](int64_t r0, int64_t r1) {
            if (!shrinkRows(openReader(), plan.x0, plan.y0, plan.x1 - plan.x0, plan.h, plan.v, dst, r0, r1))
                failed = true;
        });
    return !failed;
}

} // namespace

bool ResamplesInBands(int32_t width, int32_t height, const ResizeWindow& window) {
    return width != window.outWidth && window.outHeight < height;
}

bool ResampleLanczosBands(int32_t width, int32_t height, const std::function<RowReader()>& openReader,
                          double firstShare, const MutableView& dst, const ResizeWindow& window) {
    const Plan plan(width, height, window, dst.width, dst.height);
    return resampleInBands(plan, openReader, firstShare, dst);
}

void ResampleLanczos(const ConstView& src, const MutableView& dst, const ResizeWindow& window) {
    const Plan plan(src.width, src.height, window, dst.width, dst.height);
    // Only the source pixels that the window is made of are read, and only their part of the
    // intermediate picture is made.
    const ConstView used{src.pixel(plan.x0, plan.y0), plan.x1 - plan.x0, plan.y1 - plan.y0, src.stride};
    const Taps<int16_t>&h = plan.h, &v = plan.v;

    const auto runHorizontal = [&h](const ConstView& from, const MutableView& to) {
        RunInTwo(to.height, int64_t(to.width) * 3 * h.count[0],
                 [&](int64_t r0, int64_t r1) { horizontal(from, to, h, r0, r1); });
    };
    const auto runVertical = [&v](const ConstView& from, const MutableView& to) {
        RunInTwo(to.height, int64_t(to.width) * 3 * v.count[0],
                 [&](int64_t r0, int64_t r1) { vertical(from, to, v, r0, r1, 0, 0); });
    };
    if (!plan.across && !plan.down) return copy(used, dst);
    if (!plan.down) return runHorizontal(used, dst);
    if (!plan.across) return runVertical(used, dst);

    // The horizontal pass costs more per pixel (three interleaved channels), so it runs on the
    // picture with fewer rows: after the vertical pass when that shrinks, before it otherwise. The
    // order follows the whole result, so that a window has the pixels of the whole.
    if (ResamplesInBands(src.width, src.height, window)) {
        // The source rows, counted from the picture's top, are all there.
        const RowReader inMemory = [&src](int32_t lo, int32_t) {
            return ConstView{src.pixel(0, lo), src.width, src.height - lo, src.stride};
        };
        resampleInBands(
            plan, [&] { return inMemory; }, 0.5, dst);
        return;
    }
    const PixelBlock middle = AllocatePixels(size_t(dst.width) * 3 * size_t(used.height));
    if (!middle) throw std::bad_alloc();
    const MutableView mid{middle.get(), dst.width, used.height, dst.width * 3};
    runHorizontal(used, mid);
    runVertical(ConstView{mid.data, mid.width, mid.height, mid.stride}, dst);
}

#include "ForwardEnergy.h"
#include "SeamApply.h"
#include "VelomiraISE.h"

#include <new>

namespace {

// The design refuses larger pictures before decoding; nothing bigger can reach us legitimately.
constexpr int64_t kMaxPixels = 300'000'000;
// A seam's cost grows by at most kMaxStepCost a row and must stay within 32 bits.
constexpr int32_t kMaxHeight = 1'000'000;
static_assert(int64_t{kMaxHeight} * velomira::carve::kMaxStepCost <= INT32_MAX);

// Bytes from the first to the last byte of a picture's pixels.
size_t Span(int64_t stride, int height, int64_t rowBytes) {
    return static_cast<size_t>(stride * (height - 1) + rowBytes);
}

bool Overlap(const uint8_t* a, size_t aBytes, const uint8_t* b, size_t bBytes) {
    const auto first = reinterpret_cast<uintptr_t>(a);
    const auto second = reinterpret_cast<uintptr_t>(b);
    return first < second + bBytes && second < first + aBytes;
}

} // namespace

extern "C" int32_t ISE40_SeamCarve(const uint8_t* src, int32_t width, int32_t height, int32_t bytesPerPixel,
                                   int32_t srcStride, int32_t /*reserved1*/, int32_t /*reserved2*/,
                                   uint8_t* dst, int32_t dstStride, int32_t widthChangePlusOne,
                                   int32_t /*tuning1*/, int32_t /*tuning2*/) {
    if (!src || !dst || width < 1 || height < 1 || height > kMaxHeight || bytesPerPixel != 3 ||
        int64_t{width} * height > kMaxPixels)
        return 0;
    const int64_t target = int64_t{width} + widthChangePlusOne - 1;
    if (target < 1 || target > 2 * int64_t{width} || srcStride < 3 * int64_t{width} || dstStride < 3 * target)
        return 0;
    if (Overlap(src, Span(srcStride, height, 3 * int64_t{width}), dst, Span(dstStride, height, 3 * target)))
        return 0;
    try {
        using namespace velomira::carve;
        const RgbView image{src, width, height, static_cast<size_t>(srcStride)};
        const RgbTarget out{dst, static_cast<int>(target), height, static_cast<size_t>(dstStride)};
        CarveToWidth(image, out, CarveOptions{});
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

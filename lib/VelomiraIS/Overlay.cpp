#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"

#include <cmath>
#include <cstring>

namespace {

void blendRow(uint8_t* out, const uint8_t* in, size_t bytes, int32_t weight) {
    // weight in 0..256: out = (in * weight + out * (256 - weight)) / 256, rounded.
    for (size_t i = 0; i < bytes; ++i)
        out[i] = uint8_t((in[i] * weight + out[i] * (256 - weight) + 128) >> 8);
}

} // namespace

extern "C" int32_t IS40_OverlayImage(uint8_t* dst, int32_t width, int32_t height, int32_t bytesPerPixel,
                                     int32_t stride, const uint8_t* src, int32_t srcWidth, int32_t srcHeight,
                                     int32_t srcStride, int32_t x, int32_t y, double opacity,
                                     double /*reserved*/, int32_t /*flags1*/, int32_t /*flags2*/) {
    const MutableView to{dst, width, height, stride};
    const ConstView from{src, srcWidth, srcHeight, srcStride};
    if (!Valid(to, bytesPerPixel) || !Valid(from) || !(opacity >= 0.0 && opacity <= 1.0))
        return Fail(IS40_ERR_ARGUMENT);
    const Box part = Intersect(Placed(x, y, srcWidth, srcHeight), Placed(0, 0, width, height));
    if (part.empty()) return 1;

    const int32_t weight = int32_t(std::lround(opacity * 256));
    const size_t rowBytes = size_t(part.width()) * 3;
    for (int64_t row = part.top; row < part.bottom; ++row) {
        uint8_t* out = to.pixel(int32_t(part.left), int32_t(row));
        const uint8_t* in = from.pixel(int32_t(part.left - x), int32_t(row - y));
        if (weight == 256)
            std::memcpy(out, in, rowBytes);
        else
            blendRow(out, in, rowBytes, weight);
    }
    return 1;
}

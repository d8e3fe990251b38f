#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"

#include <algorithm>
#include <cmath>

extern "C" int32_t IS40_FillTransparentRectOnImage(uint8_t* buffer, int32_t width, int32_t height,
                                                   int32_t bytesPerPixel, int32_t stride,
                                                   const IS40_RECT* rect, uint32_t colour, double opacity,
                                                   int32_t /*reserved*/) {
    const MutableView image{buffer, width, height, stride};
    if (!Valid(image, bytesPerPixel) || rect == nullptr || std::isnan(opacity))
        return Fail(IS40_ERR_ARGUMENT);
    const Box part = Intersect(ToBox(*rect), Placed(0, 0, width, height));
    if (part.empty()) return 1;
    // weight in 0..256: out = (colour * weight + out * (256 - weight)) / 256, rounded.
    const int32_t weight = int32_t(std::lround(std::clamp(opacity, 0.0, 1.0) * 256));
    const int32_t rgb[3] = {int32_t(colour & 0xff), int32_t(colour >> 8 & 0xff),
                            int32_t(colour >> 16 & 0xff)};
    for (int64_t y = part.top; y < part.bottom; ++y) {
        uint8_t* out = image.pixel(int32_t(part.left), int32_t(y));
        for (int64_t x = part.left; x < part.right; ++x)
            for (int c = 0; c < 3; ++c, ++out)
                *out = uint8_t((rgb[c] * weight + *out * (256 - weight) + 128) >> 8);
    }
    return 1;
}

#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"

extern "C" int32_t IS40_AlphaBlendRGB(uint8_t* dst, int32_t width, int32_t height, int32_t stride,
                                      const uint8_t* src, int32_t srcWidth, int32_t srcHeight,
                                      int32_t srcStride, const uint8_t* mask, int32_t x, int32_t y,
                                      int32_t /*reserved*/) {
    const MutableView to{dst, width, height, stride};
    const ConstView from{src, srcWidth, srcHeight, srcStride};
    if (!Valid(to) || !Valid(from) || mask == nullptr) return Fail(IS40_ERR_ARGUMENT);
    const Box part = Intersect(Placed(x, y, srcWidth, srcHeight), Placed(0, 0, width, height));
    if (part.empty()) return 1;
    for (int64_t row = part.top; row < part.bottom; ++row) {
        const int32_t sy = int32_t(row - y);
        const uint8_t* m = mask + int64_t(sy) * srcWidth + (part.left - x);
        const uint8_t* in = from.pixel(int32_t(part.left - x), sy);
        uint8_t* out = to.pixel(int32_t(part.left), int32_t(row));
        for (int64_t i = 0; i < part.width(); ++i, ++m)
            for (int c = 0; c < 3; ++c, ++in, ++out)
                *out = uint8_t((*in * *m + *out * (255 - *m) + 127) / 255);
    }
    return 1;
}

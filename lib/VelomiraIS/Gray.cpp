#include "LastError.h"
#include "Pixels.h"

extern "C" int32_t IS40_ImageToGrayScale8Bit(const uint8_t* src, int32_t width, int32_t height,
                                             int32_t bytesPerPixel, int32_t srcStride, uint8_t* dst,
                                             int32_t dstStride, int32_t /*reserved*/) {
    const ConstView from{src, width, height, srcStride};
    if (!Valid(from, bytesPerPixel) || dst == nullptr || dstStride < width) return Fail(IS40_ERR_ARGUMENT);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = from.pixel(0, y);
        uint8_t* out = dst + int64_t(y) * dstStride;
        // Luminance weights 0.299, 0.587, 0.114 in 1/1000, rounded.
        for (int32_t x = 0; x < width; ++x, in += 3)
            out[x] = uint8_t((299 * in[0] + 587 * in[1] + 114 * in[2] + 500) / 1000);
    }
    return 1;
}

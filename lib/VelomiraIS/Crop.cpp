#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"

#include <cstring>

extern "C" int32_t IS40_CropImage(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                  uint8_t* dst, int32_t dstStride, const IS40_RECT* rect,
                                  int32_t bytesPerPixel) {
    const ConstView from{src, width, height, srcStride};
    if (!Valid(from, bytesPerPixel) || dst == nullptr || rect == nullptr) return Fail(IS40_ERR_ARGUMENT);
    const Box wanted = ToBox(*rect);
    if (wanted.width() < 0 || wanted.height() < 0 || wanted.width() * 3 > dstStride)
        return Fail(IS40_ERR_ARGUMENT);

    // Only the part inside src is copied; the rest of dst keeps what it had.
    const Box part = Intersect(wanted, Placed(0, 0, width, height));
    if (part.empty()) return 1;
    const size_t rowBytes = size_t(part.width()) * 3;
    for (int64_t y = part.top; y < part.bottom; ++y) {
        uint8_t* out = dst + (y - wanted.top) * dstStride + (part.left - wanted.left) * 3;
        std::memcpy(out, from.pixel(int32_t(part.left), int32_t(y)), rowBytes);
    }
    return 1;
}

#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"

#include <cstring>

extern "C" int32_t IS40_FillSolidRect(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                                      int32_t stride, const IS40_RECT* rect, uint32_t colour,
                                      int32_t /*flags*/) {
    const MutableView image{buffer, width, height, stride};
    if (!Valid(image, bytesPerPixel) || rect == nullptr) return Fail(IS40_ERR_ARGUMENT);
    const Box part = Intersect(ToBox(*rect), Placed(0, 0, width, height));
    if (part.empty()) return 1;

    // COLORREF is 0x00BBGGRR; the buffer holds red, green, blue.
    const uint8_t rgb[3] = {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
    uint8_t* first = image.pixel(int32_t(part.left), int32_t(part.top));
    for (int64_t x = 0; x < part.width(); ++x)
        std::memcpy(first + x * 3, rgb, 3);
    const size_t rowBytes = size_t(part.width()) * 3;
    for (int64_t y = part.top + 1; y < part.bottom; ++y)
        std::memcpy(image.pixel(int32_t(part.left), int32_t(y)), first, rowBytes);
    return 1;
}

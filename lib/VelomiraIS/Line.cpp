#include "LastError.h"
#include "Pixels.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// num / den rounded to the nearest integer (halves upwards), for den > 0 and any sign of num.
int64_t nearest(__int128 num, int64_t den) {
    const __int128 twice = 2 * num + den, d = 2 * __int128(den);
    __int128 q = twice / d;
    if (twice % d != 0 && twice < 0) --q;
    return int64_t(q);
}

struct Pen {
    const MutableView& image;
    uint8_t rgb[3];

    void plot(int64_t x, int64_t y) const {
        if (x >= 0 && y >= 0 && x < image.width && y < image.height)
            std::memcpy(image.pixel(int32_t(x), int32_t(y)), rgb, 3);
    }
};

} // namespace

extern "C" int32_t IS40_DrawLineOnImage(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                                        int32_t stride, uint32_t colour, int32_t x1, int32_t y1, int32_t x2,
                                        int32_t y2, int32_t /*reserved*/) {
    const MutableView image{buffer, width, height, stride};
    if (!Valid(image, bytesPerPixel)) return Fail(IS40_ERR_ARGUMENT);
    const Pen pen{image, {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)}};

    // Steps run along the longer axis and only over the part of it inside the buffer, so that end
    // points far outside cost nothing; the other coordinate is the exact line rounded.
    int64_t ax = x1, ay = y1, bx = x2, by = y2;
    const bool steep = (by > ay ? by - ay : ay - by) > (bx > ax ? bx - ax : ax - bx);
    if (steep) {
        std::swap(ax, ay);
        std::swap(bx, by);
    }
    if (bx < ax) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const int64_t limit = (steep ? height : width) - 1;
    const int64_t dx = bx - ax, dy = by - ay;
    for (int64_t a = std::max<int64_t>(ax, 0); a <= std::min(bx, limit); ++a) {
        const int64_t b = dx == 0 ? ay : ay + nearest(__int128(a - ax) * dy, dx);
        if (steep)
            pen.plot(b, a);
        else
            pen.plot(a, b);
    }
    return 1;
}

#include "LastError.h"
#include "Pixels.h"

#include <cstring>
#include <vector>

extern "C" int32_t IS40_QuickRotateImageInPlace(uint8_t* buffer, int32_t width, int32_t height, int32_t turn,
                                                int32_t bytesPerPixel, int32_t /*reserved*/) {
    return Guarded([&]() -> int32_t {
        const ConstView view{buffer, width, height, width * 3};
        if (!Valid(view, bytesPerPixel) || turn < 0 || turn > 2 || int64_t(width) * 3 > INT32_MAX)
            return Fail(IS40_ERR_ARGUMENT);
        const std::vector<uint8_t> copy(buffer, buffer + int64_t(width) * height * 3);
        const ConstView from{copy.data(), width, height, width * 3};
        // A quarter turn makes the picture height x width, rows height * 3 bytes long.
        const int64_t outWidth = turn == 1 ? width : height;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                int64_t tx = 0, ty = 0;
                if (turn == 0) { // counter-clockwise: the top edge becomes the left edge
                    tx = y;
                    ty = width - 1 - x;
                } else if (turn == 1) {
                    tx = width - 1 - x;
                    ty = height - 1 - y;
                } else { // clockwise: the top edge becomes the right edge
                    tx = height - 1 - y;
                    ty = x;
                }
                std::memcpy(buffer + (ty * outWidth + tx) * 3, from.pixel(x, y), 3);
            }
        }
        return 1;
    });
}

#include "LastError.h"
#include "Resample.h"

extern "C" int32_t IS40_ResizeImage(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                    uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride,
                                    int32_t bytesPerPixel, int32_t mode, int32_t /*flags*/) {
    const ConstView from{src, width, height, srcStride};
    const MutableView to{dst, width2, height2, dstStride};
    if (!Valid(from, bytesPerPixel) || !Valid(to, bytesPerPixel)) return Fail(IS40_ERR_ARGUMENT);
    if (mode != IS40_RESIZE_LANCZOS && mode != IS40_RESIZE_AREA) return Fail(IS40_ERR_UNSUPPORTED);
    return Guarded([&]() -> int32_t {
        if (mode == IS40_RESIZE_AREA)
            ResampleAreaAverage(from, to);
        else
            ResampleLanczos(from, to);
        return 1;
    });
}

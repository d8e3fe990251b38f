#include "Clip.h"
#include "LastError.h"
#include "Resample.h"

bool ResizeTarget(uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride, const IS40_RECT* rect,
                  MutableView& to, ResizeWindow& window) {
    if (rect == nullptr || width2 <= 0 || height2 <= 0) return false;
    const Box part = ToBox(*rect);
    if (part.empty() || part.left < 0 || part.top < 0 || part.right > width2 || part.bottom > height2)
        return false;
    to = MutableView{dst, int32_t(part.width()), int32_t(part.height()), dstStride};
    window = ResizeWindow{width2, height2, rect->left, rect->top};
    return Valid(to);
}

extern "C" int32_t IS40_ResizeImagePart(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                        uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride,
                                        const IS40_RECT* rect, int32_t bytesPerPixel, int32_t mode,
                                        int32_t /*flags*/) {
    const ConstView from{src, width, height, srcStride};
    MutableView to{};
    ResizeWindow window{};
    if (!ResizeTarget(dst, width2, height2, dstStride, rect, to, window) || !Valid(from, bytesPerPixel) ||
        bytesPerPixel != 3)
        return Fail(IS40_ERR_ARGUMENT);
    if (mode != IS40_RESIZE_LANCZOS && mode != IS40_RESIZE_AREA) return Fail(IS40_ERR_UNSUPPORTED);
    return Guarded([&]() -> int32_t {
        if (mode == IS40_RESIZE_AREA)
            ResampleAreaAverage(from, to, window);
        else
            ResampleLanczos(from, to, window);
        return 1;
    });
}

extern "C" int32_t IS40_ResizeImage(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                    uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride,
                                    int32_t bytesPerPixel, int32_t mode, int32_t flags) {
    const IS40_RECT all{0, 0, width2, height2};
    return IS40_ResizeImagePart(src, width, height, srcStride, dst, width2, height2, dstStride, &all,
                                bytesPerPixel, mode, flags);
}

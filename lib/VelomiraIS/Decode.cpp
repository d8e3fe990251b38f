#include "Decoders.h"
#include "LastError.h"
#include "Source.h"

bool LooksLikeJpeg(std::span<const uint8_t> data) {
    return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

namespace {

// The content decides the format; the file's name is not looked at.
DecodedImage decode(std::span<const uint8_t> data, int32_t minWidth, int32_t minHeight) {
    if (LooksLikeJpeg(data)) {
        DecodedImage image = DecodeJpeg(data, minWidth, minHeight);
        return image.error == IS40_ERR_UNSUPPORTED ? DecodeWithQt(data) : std::move(image);
    }
    return LooksLikePcx(data) ? DecodePcx(data) : DecodeWithQt(data);
}

} // namespace

extern "C" uint8_t* IS40_ReadImage(IS40_SOURCE source, int32_t* width, int32_t* height, int32_t minWidth,
                                   int32_t minHeight) {
    return Guarded([&]() -> uint8_t* {
        Source* file = ToSource(source);
        if (file == nullptr || width == nullptr || height == nullptr) return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);

        DecodedImage image = decode(file->bytes(), minWidth, minHeight);
        if (!image.pixels) return Fail(image.error);
        *width = image.width;
        *height = image.height;
        return image.pixels.release();
    });
}

extern "C" int32_t IS40_ReadImageSize(IS40_SOURCE source, int32_t* width, int32_t* height) {
    return Guarded([&]() -> int32_t {
        Source* file = ToSource(source);
        if (file == nullptr || width == nullptr || height == nullptr) return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);
        if (!LooksLikeJpeg(file->bytes())) return Fail(IS40_ERR_UNSUPPORTED);
        if (const int32_t error = JpegSize(file->bytes(), *width, *height)) return Fail(error);
        return 1;
    });
}

extern "C" int32_t IS40_ReadImageResized(IS40_SOURCE source, int32_t width2, int32_t height2, uint8_t* dst,
                                         int32_t dstStride, const IS40_RECT* rect) {
    return Guarded([&]() -> int32_t {
        Source* file = ToSource(source);
        MutableView to{};
        ResizeWindow window{};
        if (file == nullptr || !ResizeTarget(dst, width2, height2, dstStride, rect, to, window))
            return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);
        const std::span<const uint8_t> data = file->bytes();
        if (LooksLikeJpeg(data)) {
            const int32_t error = DecodeJpegResized(data, to, window);
            if (error == IS40_ERR_NONE) return 1;
            if (error != IS40_ERR_UNSUPPORTED) return Fail(error);
        }
        const DecodedImage image = decode(data, width2, height2);
        if (!image.pixels) return Fail(image.error);
        ResampleLanczos(ConstView{image.pixels.get(), image.width, image.height, image.width * 3}, to,
                        window);
        return 1;
    });
}

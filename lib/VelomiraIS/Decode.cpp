#include "Decoders.h"
#include "LastError.h"
#include "Source.h"

bool LooksLikeJpeg(std::span<const uint8_t> data) {
    return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

extern "C" uint8_t* IS40_ReadImage(IS40_SOURCE source, int32_t* width, int32_t* height, int32_t minWidth,
                                   int32_t minHeight) {
    return Guarded([&]() -> uint8_t* {
        Source* file = ToSource(source);
        if (file == nullptr || width == nullptr || height == nullptr) return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);

        // The content decides the format; the file's name is not looked at.
        const std::span<const uint8_t> data = file->bytes();
        DecodedImage image;
        if (LooksLikeJpeg(data)) {
            image = DecodeJpeg(data, minWidth, minHeight);
            if (image.error == IS40_ERR_UNSUPPORTED) image = DecodeWithQt(data);
        } else if (LooksLikePcx(data)) {
            image = DecodePcx(data);
        } else {
            image = DecodeWithQt(data);
        }
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

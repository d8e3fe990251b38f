#include "Pixels.h"

DecodedImage DecodeError(int32_t code) {
    DecodedImage result;
    result.error = code;
    return result;
}

int32_t CheckPictureSize(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return IS40_ERR_CORRUPT;
    // Two steps, so that the product cannot overflow for any header value.
    if (width > IS40_MAX_PIXELS || height > IS40_MAX_PIXELS || width * height > IS40_MAX_PIXELS)
        return IS40_ERR_TOO_LARGE;
    return IS40_ERR_NONE;
}

DecodedImage AllocatePicture(int64_t width, int64_t height) {
    if (const int32_t error = CheckPictureSize(width, height)) return DecodeError(error);
    DecodedImage result;
    result.pixels.reset(static_cast<uint8_t*>(std::calloc(size_t(width * height), 3)));
    if (!result.pixels) return DecodeError(IS40_ERR_MEMORY);
    result.width = int32_t(width);
    result.height = int32_t(height);
    return result;
}

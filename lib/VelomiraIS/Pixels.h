#pragma once

#include "VelomiraIS.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

// A calloc block of 24-bit pixels; released with free(), as the callers of the C interface do.
struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using PixelBlock = std::unique_ptr<uint8_t, FreeDeleter>;

// A decoder's result: pixels (stride exactly width * 3) or, when `pixels` is empty, an error code.
struct DecodedImage {
    PixelBlock pixels;
    int32_t width = 0;
    int32_t height = 0;
    int32_t error = IS40_ERR_NONE;
};

DecodedImage DecodeError(int32_t code);

// Checks a picture size taken from a file header against the pixel limit: IS40_ERR_NONE,
// IS40_ERR_CORRUPT for a size <= 0 or IS40_ERR_TOO_LARGE.
int32_t CheckPictureSize(int64_t width, int64_t height);

// A zero-filled block of `bytes` bytes, empty when it cannot be had. Large blocks are backed by
// huge pages where the system offers them.
PixelBlock AllocatePixels(size_t bytes);

// A zero-filled width x height picture; `error` says why it could not be had.
DecodedImage AllocatePicture(int64_t width, int64_t height);

// Pixel buffers as the exported functions receive them.
template <typename Byte> struct ImageView {
    Byte* data;
    int32_t width;
    int32_t height;
    int32_t stride;

    Byte* pixel(int32_t x, int32_t y) const { return data + int64_t(y) * stride + int64_t(x) * 3; }
};
using ConstView = ImageView<const uint8_t>;
using MutableView = ImageView<uint8_t>;

// A buffer the functions can work on: not null, positive size, stride >= width * 3, 3 bytes per
// pixel.
template <typename Byte> bool Valid(const ImageView<Byte>& v, int32_t bytesPerPixel = 3) {
    return v.data != nullptr && v.width > 0 && v.height > 0 && bytesPerPixel == 3 &&
           int64_t(v.stride) >= int64_t(v.width) * 3;
}

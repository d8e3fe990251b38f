#include "Pixels.h"

#include <sys/mman.h>

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

PixelBlock AllocatePixels(size_t bytes) {
    PixelBlock block(static_cast<uint8_t*>(std::calloc(bytes, 1)));
    // A large block is fresh zeroed memory from the kernel that nothing has touched yet. Asked
    // for huge pages, its first writes fault once per 2 MiB instead of once per 4 KiB, which
    // makes up much of the time of a decode or resize. Only advice: without it, small pages serve.
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
    const uintptr_t start = reinterpret_cast<uintptr_t>(block.get());
    const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1),
                    last = (start + bytes) & ~(kHugePage - 1);
    if (block && last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    return block;
}

DecodedImage AllocatePicture(int64_t width, int64_t height) {
    if (const int32_t error = CheckPictureSize(width, height)) return DecodeError(error);
    DecodedImage result;
    result.pixels = AllocatePixels(size_t(width * height) * 3);
    if (!result.pixels) return DecodeError(IS40_ERR_MEMORY);
    result.width = int32_t(width);
    result.height = int32_t(height);
    return result;
}

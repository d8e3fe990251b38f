#include "compose/ReadableColour.h"

#include "compose/WorkingImage.h"
#include "imagelib/ImageBuffer.h"
#include "imagelib/ImageLibrary.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xffffff;

} // namespace

uint32_t ReadableOn(uint32_t background) {
    const int red = int(background & 0xff), green = int(background >> 8 & 0xff),
              blue = int(background >> 16 & 0xff);
    // 1000 times the luminance against 1000 times 127.5, in integers.
    return 299 * red + 587 * green + 114 * blue > 127500 ? kBlack : kWhite;
}

std::optional<uint32_t> ReadableColour(int32_t left, int32_t top, int32_t width, int32_t height) {
    const WorkingImageView& image = WorkingImage();
    if (!image) return std::nullopt;
    ImageBuffer area = ImageBuffer::Allocate(width, height);
    ImageBuffer pixel = ImageBuffer::Allocate(1, 1);
    if (area.empty() || pixel.empty()) return std::nullopt;
    const ImageLibraryFunctions& fn = Library().fn();
    const IS40_RECT rect{left, top, int32_t(int64_t(left) + width), int32_t(int64_t(top) + height)};
    if (fn.IS40_CropImage(image.buffer, image.width, image.height, image.width * 3, area.data(),
                          area.stride(), &rect, 3) == 0 ||
        fn.IS40_ResizeImage(area.data(), width, height, area.stride(), pixel.data(), 1, 1, 3, 3,
                            IS40_RESIZE_AREA, 0) == 0)
        return std::nullopt;
    const uint8_t* rgb = pixel.data();
    return ReadableOn(uint32_t(rgb[0]) | uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]) << 16);
}

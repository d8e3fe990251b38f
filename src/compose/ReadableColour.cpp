#include "compose/ReadableColour.h"

#include "app/NumericText.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageBuffer.h"
#include "imagelib/ImageLibrary.h"

#include <algorithm>

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
    if (!image || width <= 0 || height <= 0) return std::nullopt;
    // Only the part inside the image is averaged; the rest counts as black by its share of the
    // area, so that a rectangle far larger than the image costs no more than the image.
    const int64_t x0 = std::max<int64_t>(left, 0), y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(left) + width, image.width);
    const int64_t y1 = std::min<int64_t>(int64_t(top) + height, image.height);
    if (x1 <= x0 || y1 <= y0) return ReadableOn(0);
    const IS40_RECT inside{int32_t(x0), int32_t(y0), int32_t(x1), int32_t(y1)};
    ImageBuffer area = ImageBuffer::Allocate(int32_t(x1 - x0), int32_t(y1 - y0));
    ImageBuffer pixel = ImageBuffer::Allocate(1, 1);
    if (area.empty() || pixel.empty()) return std::nullopt;
    const ImageLibraryFunctions& fn = Library().fn();
    if (fn.IS40_CropImage(image.buffer, image.width, image.height, image.width * 3, area.data(),
                          area.stride(), &inside, 3) == 0 ||
        fn.IS40_ResizeImage(area.data(), area.width(), area.height(), area.stride(), pixel.data(), 1, 1, 3, 3,
                            IS40_RESIZE_AREA, 0) == 0)
        return std::nullopt;
    const double share = double(area.width()) * area.height() / (double(width) * height);
    uint32_t average = 0;
    for (int c = 0; c < 3; ++c)
        average |= uint32_t(RoundHalfEven(pixel.data()[c] * share)) << (8 * c);
    return ReadableOn(average);
}

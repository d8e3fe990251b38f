#include "imagelib/ImageBuffer.h"

#include <cstdlib>
#include <utility>

ImageBuffer::ImageBuffer(uint8_t* adopted, int32_t width, int32_t height)
    : data_(adopted), width_(adopted ? width : 0), height_(adopted ? height : 0) {}

ImageBuffer::ImageBuffer(ImageBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

ImageBuffer& ImageBuffer::operator=(ImageBuffer&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

ImageBuffer::~ImageBuffer() {
    std::free(data_);
}

ImageBuffer ImageBuffer::Allocate(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {};
    return {static_cast<uint8_t*>(std::calloc(std::size_t(width) * std::size_t(height), 3)), width, height};
}

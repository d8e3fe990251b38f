#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// A 24-bit picture in one zero-filled heap block (red, green, blue per pixel, rows from the top,
// stride exactly width * 3), with its size beside it. It owns the block and frees it with free(),
// as the image library's C interface requires of blocks it hands out.
class ImageBuffer {
public:
    ImageBuffer() = default;
    // Takes over a block from the image library (or from calloc).
    ImageBuffer(uint8_t* adopted, int32_t width, int32_t height);
    ImageBuffer(ImageBuffer&& other) noexcept;
    ImageBuffer& operator=(ImageBuffer&& other) noexcept;
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;
    ~ImageBuffer();

    // A zero-filled width x height block; empty (data() null) when it cannot be had or a side is
    // not positive.
    static ImageBuffer Allocate(int32_t width, int32_t height);

    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t stride() const { return width_ * 3; }
    std::size_t size() const { return std::size_t(width_) * std::size_t(height_) * 3; }
    std::span<uint8_t> bytes() { return {data_, size()}; }
    std::span<const uint8_t> bytes() const { return {data_, size()}; }
    bool empty() const { return data_ == nullptr; }

private:
    uint8_t* data_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

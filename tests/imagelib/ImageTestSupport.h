#pragma once

#include "imagelib/ImageBuffer.h"
#include "imagelib/ImageLibrary.h"

#include <array>
#include <gtest/gtest.h>

using Rgb = std::array<int, 3>;

// Loads the image libraries from the build tree once.
inline void LoadImageLibrary() {
    ASSERT_TRUE(Library().loaded() || Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}).isEmpty());
}

inline Rgb PixelAt(const ImageBuffer& image, int x, int y) {
    const uint8_t* p = image.data() + y * image.stride() + x * 3;
    return {p[0], p[1], p[2]};
}

// A picture whose pixel (x, y) is f(x, y).
template <typename F> ImageBuffer Drawn(int32_t width, int32_t height, F f) {
    ImageBuffer image = ImageBuffer::Allocate(width, height);
    for (int i = 0; i < width * height; ++i) {
        const Rgb p = f(i % width, i / width);
        std::copy(p.begin(), p.end(), image.data() + i * 3);
    }
    return image;
}

inline ImageBuffer Filled(int32_t width, int32_t height, Rgb colour) {
    return Drawn(width, height, [&](int, int) { return colour; });
}

#pragma once

#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"

#include <QColor>
#include <QSize>
#include <array>
#include <gtest/gtest.h>

using Rgb = std::array<int, 3>;

// Loads the image libraries from the build tree once.
inline void LoadImageLibrary() {
    ASSERT_TRUE(Library().loaded() || Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}).isEmpty());
}

inline Rgb RgbOf(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
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

// The library's error code for reading `path` through the program's wrapper, 0 when it read.
inline int ReadError(const QString& path) {
    try {
        ReadImage(path);
        return 0;
    } catch (const ImageError& e) {
        return e.source() == "ReadImage" ? e.number() - 1000 : -1;
    }
}

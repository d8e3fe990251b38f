#pragma once

#include <cstddef>
#include <cstdint>

namespace velomira::carve {

// A read-only RGB picture, 3 bytes per pixel, rows `stride` bytes apart.
struct RgbView {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;

    const uint8_t* row(int y) const { return data + static_cast<size_t>(y) * stride; }
};

// A writable RGB picture of the same layout.
struct RgbTarget {
    uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;

    uint8_t* row(int y) const { return data + static_cast<size_t>(y) * stride; }
};

} // namespace velomira::carve

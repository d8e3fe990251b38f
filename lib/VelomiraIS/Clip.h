#pragma once

#include "VelomiraIS.h"

#include <cstdint>

// A rectangle in 64-bit coordinates, so that the sizes of any 32-bit rectangle and the sum of a
// position and a size never overflow.
struct Box {
    int64_t left, top, right, bottom;

    bool empty() const { return right <= left || bottom <= top; }
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
};

Box ToBox(const IS40_RECT& r);

// The box of a width x height picture placed with its top-left corner at (x, y).
Box Placed(int64_t x, int64_t y, int64_t width, int64_t height);

// The part of `a` that lies inside `b` (empty when they do not meet).
Box Intersect(const Box& a, const Box& b);

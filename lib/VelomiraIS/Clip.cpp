#include "Clip.h"

#include <algorithm>

Box ToBox(const IS40_RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

Box Placed(int64_t x, int64_t y, int64_t width, int64_t height) {
    return {x, y, x + width, y + height};
}

Box Intersect(const Box& a, const Box& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

#pragma once

#include "RgbView.h"
#include "SeamSearch.h"

namespace velomira::carve {

// Carves `image` to the width of `out` (1 .. 2 x image.width), keeping the height; equal widths copy.
// Narrowing keeps the pixels FindSeams leaves; widening keeps every pixel and follows each seam pixel
// (one FindSeams removes) with the average of it and its right neighbour (itself at the right edge). Throws
// std::bad_alloc when memory runs out.
void CarveToWidth(const RgbView& image, const RgbTarget& out, const CarveOptions& options);

} // namespace velomira::carve

#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Forward energy: removing a pixel makes its left and right neighbours adjacent, and a seam that steps
// sideways also makes a pixel of the row above adjacent to a new one. The cost of a step is the
// luminance contrast those new neighbours bring; a seam's cost is the sum of its steps.
namespace velomira::carve {

// Luminance in 0 .. 1020 (four times the usual 0 .. 255, to keep two more bits).
using Luma = int16_t;

// The most one row can add to a seam's cost.
constexpr int32_t kMaxStepCost = 2 * 1020;

// Inline, so that the conversion of a row vectorises.
inline Luma LumaOf(const uint8_t* rgb) {
    return static_cast<Luma>((77 * rgb[0] + 150 * rgb[1] + 29 * rgb[2]) >> 6);
}

// Cost of removing pixel x of `row` when the seam comes from pixel x + d of `above` (d in -1 .. 1,
// x + d inside the row). For the top row, pass the row itself as `above` and d = 0.
// Inline: seam tracing calls it three times a row for every seam.
inline int32_t StepCost(const Luma* above, const Luma* row, int width, int x, int d) {
    const int32_t across = std::abs(row[std::min(x + 1, width - 1)] - row[std::max(x - 1, 0)]);
    return d == 0 ? across : across + std::abs(above[x] - row[x + d]);
}

// One row of the top-down pass: cost[x] = cheapest seam from the top row down to pixel x of `row`,
// given costAbove for `above`. `scratch` holds `width` values.
void CostDown(const Luma* above, const Luma* row, const int32_t* costAbove, int32_t* cost, int width,
              int32_t* scratch);

// One row of the bottom-up pass: cost[x] = cheapest way on from pixel x of `row` to the bottom row,
// the steps into the rows below only, given costBelow for `below`.
void CostUp(const Luma* row, const Luma* below, const int32_t* costBelow, int32_t* cost, int width,
            int32_t* scratch);

} // namespace velomira::carve

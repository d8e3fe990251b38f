#include "ForwardEnergy.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace velomira::carve {
namespace {

constexpr int32_t kNone = std::numeric_limits<int32_t>::max();

// Contrast of the two neighbours that removing pixel x makes adjacent. At an edge the next pixel takes
// the removed one's place there, so that contrast counts; otherwise a seam could eat into whatever
// touches the edge for free.
void HorizontalCosts(const Luma* __restrict row, int32_t* __restrict out, int width) {
    out[0] = std::abs(row[1] - row[0]);
    out[width - 1] = std::abs(row[width - 1] - row[width - 2]);
    for (int x = 1; x < width - 1; ++x)
        out[x] = std::abs(row[x + 1] - row[x - 1]);
}

int32_t BestFromAbove(const Luma* above, const Luma* row, const int32_t* costAbove, int width, int x) {
    int32_t best = kNone;
    for (int d = -1; d <= 1; ++d)
        if (x + d >= 0 && x + d < width)
            best = std::min(best, costAbove[x + d] + StepCost(above, row, width, x, d));
    return best;
}

int32_t BestFromBelow(const Luma* row, const Luma* below, const int32_t* costBelow, int width, int x) {
    int32_t best = kNone;
    for (int k = x - 1; k <= x + 1; ++k)
        if (k >= 0 && k < width) best = std::min(best, costBelow[k] + StepCost(row, below, width, k, x - k));
    return best;
}

} // namespace

// The interior loops below have no dependence between columns, so the compiler turns them into
// vector code; the two edge pixels go through the general step cost.
void CostDown(const Luma* __restrict above, const Luma* __restrict row, const int32_t* __restrict costAbove,
              int32_t* __restrict cost, int width, int32_t* __restrict scratch) {
    if (width <= 2) {
        for (int x = 0; x < width; ++x)
            cost[x] = BestFromAbove(above, row, costAbove, width, x);
        return;
    }
    HorizontalCosts(row, scratch, width);
    for (int x = 1; x < width - 1; ++x) {
        const int32_t across = scratch[x];
        const int32_t fromLeft = costAbove[x - 1] + across + std::abs(above[x] - row[x - 1]);
        const int32_t straight = costAbove[x] + across;
        const int32_t fromRight = costAbove[x + 1] + across + std::abs(above[x] - row[x + 1]);
        cost[x] = std::min(straight, std::min(fromLeft, fromRight));
    }
    cost[0] = BestFromAbove(above, row, costAbove, width, 0);
    cost[width - 1] = BestFromAbove(above, row, costAbove, width, width - 1);
}

void CostUp(const Luma* __restrict row, const Luma* __restrict below, const int32_t* __restrict costBelow,
            int32_t* __restrict cost, int width, int32_t* __restrict scratch) {
    if (width <= 2) {
        for (int x = 0; x < width; ++x)
            cost[x] = BestFromBelow(row, below, costBelow, width, x);
        return;
    }
    HorizontalCosts(below, scratch, width);
    for (int x = 1; x < width - 1; ++x) {
        const int32_t toLeft = costBelow[x - 1] + scratch[x - 1] + std::abs(row[x - 1] - below[x]);
        const int32_t straight = costBelow[x] + scratch[x];
        const int32_t toRight = costBelow[x + 1] + scratch[x + 1] + std::abs(row[x + 1] - below[x]);
        cost[x] = std::min(straight, std::min(toLeft, toRight));
    }
    cost[0] = BestFromBelow(row, below, costBelow, width, 0);
    cost[width - 1] = BestFromBelow(row, below, costBelow, width, width - 1);
}

} // namespace velomira::carve

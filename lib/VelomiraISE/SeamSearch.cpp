#include "SeamSearch.h"

#include "BothCores.h"
#include "CostRows.h"
#include "ForwardEnergy.h"
#include "LargeBuffer.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <vector>

namespace velomira::carve {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// The pixels of one row that seams have taken, a bit each. Seams crowd into the cheap places, so the
// nearest free pixel is looked for a word at a time.
class TakenPixels {
public:
    explicit TakenPixels(int width) : width_(width), words_((static_cast<size_t>(width) + 63) / 64) {}
    bool operator[](int x) const { return words_[x >> 6] >> (x & 63) & 1; }
    void take(int x) { words_[x >> 6] |= uint64_t{1} << (x & 63); }
    void clear() { std::fill(words_.begin(), words_.end(), 0); }

    // The nearest free pixel from x leftwards, -1 if there is none.
    int freeLeftOf(int x) const {
        if (x < 0) return -1;
        int word = x >> 6;
        uint64_t free = ~words_[word] & (~uint64_t{0} >> (63 - (x & 63)));
        while (!free) {
            if (--word < 0) return -1;
            free = ~words_[word];
        }
        return word * 64 + 63 - std::countl_zero(free);
    }

    // The nearest free pixel from x rightwards, the width if there is none.
    int freeRightOf(int x) const {
        if (x >= width_) return width_;
        int word = x >> 6;
        uint64_t free = ~words_[word] & (~uint64_t{0} << (x & 63));
        while (!free) {
            if (++word == static_cast<int>(words_.size())) return width_;
            free = ~words_[word];
        }
        return std::min(width_, word * 64 + std::countr_zero(free)); // the bits past the width are free
    }

private:
    int width_;
    std::vector<uint64_t> words_;
};

// How much dearer than the seams it passed over a pushed-aside seam may become, in percent of the
// cheapest seam's cost: enough to keep seams that only squeeze past each other in texture, too little
// for one that has to cut through an object the others went round.
constexpr int64_t kSlackPercent = 75;

// More than any seam can cost.
constexpr int64_t kNoWay = int64_t{1} << 40;

// The picture as carving has left it so far: each row keeps the luminance of its remaining pixels
// packed at its start. Rows stay `stride_` apart, so removing seams never moves a row.
class SeamSearch {
public:
    SeamSearch(const RgbView& image, const CarveOptions& options);
    Seams run(int count);

private:
    Luma* luma(int y) { return luma_.data() + offset(y); }
    int32_t* seams(int y, int count) { return seams_.data() + static_cast<size_t>(y) * count; }
    size_t offset(int y) const { return static_cast<size_t>(y) * stride_; }
    bool parallel() const { return options_.bothCores && WorthTwoThreads(int64_t{width_} * height_); }

    void computeCosts();
    int traceSeams(int tries, int wanted);
    template <typename Step>
    void advance(const int32_t* from, int32_t* to, int count, TakenPixels& taken, const int32_t* ahead,
                 int64_t* extra, const Step& step) const;
    int keepCheapSeams(int tries, int wanted);
    void removeSeams(int found);

    CarveOptions options_;
    int stride_;
    int height_;
    int width_;  // the current width
    int middle_; // the top-down and the bottom-up passes meet in this row
    LargeBuffer<Luma> luma_;
    std::vector<int32_t> scratch_;
    CostRows down_; // top-down costs of the rows 0 .. middle_
    CostRows up_;   // bottom-up costs of the rows height_ - 1 .. middle_, row i being height_ - 1 - i
    std::vector<int32_t> seams_; // the columns of one pass's seams, row by row
    std::vector<int64_t> extra_;
    std::vector<int64_t> budgets_;
    std::vector<int32_t> order_;
};

SeamSearch::SeamSearch(const RgbView& image, const CarveOptions& options)
    : options_(options), stride_(image.width), height_(image.height), width_(image.width),
      middle_(image.height / 2), luma_(offset(height_)), scratch_(2 * static_cast<size_t>(stride_)),
      down_(stride_, middle_ + 1,
            [this](int y, const int32_t* above, int32_t* row) {
                if (y == 0)
                    for (int x = 0; x < width_; ++x)
                        row[x] = StepCost(luma(0), luma(0), width_, x, 0);
                else
                    CostDown(luma(y - 1), luma(y), above, row, width_, scratch_.data());
            }),
      up_(stride_, height_ - middle_,
          [this](int i, const int32_t* below, int32_t* row) {
              const int y = height_ - 1 - i;
              if (i == 0)
                  std::fill_n(row, width_, 0);
              else
                  CostUp(luma(y), luma(y + 1), below, row, width_, scratch_.data() + stride_);
          }),
      order_(stride_) {
    ForRowHalves(height_, parallel(), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const uint8_t* rgb = image.row(y);
            for (int x = 0; x < width_; ++x)
                luma(y)[x] = LumaOf(rgb + 3 * x);
        }
    });
}

Seams SeamSearch::run(int count) {
    Seams found(width_, count);
    while (count > 0) {
        const int divisor = options_.seamsPerPassDivisor;
        const int tries = divisor > 0 ? std::min(width_ - 1, std::max(1, width_ / divisor)) : 1;
        computeCosts();
        const int kept = traceSeams(tries, count);
        removeSeams(kept);
        found.add({seams_.begin(), seams_.begin() + static_cast<ptrdiff_t>(kept) * height_}, kept);
        count -= kept;
    }
    return found;
}

// Splitting the rows at the middle lets the two passes run at once, each on its own core, and the
// sum of both costs in the middle row is the cost of the best seam through each of its pixels.
void SeamSearch::computeCosts() {
    RunBoth([&] { down_.compute(); }, [&] { up_.compute(); }, parallel());
}

// Traces the `tries` cheapest seams through the middle row, keeps up to `wanted` of them and returns
// how many it kept. A pixel an earlier seam of this pass took is gone once the pass ends, so a later
// seam steps over such pixels to the nearest free one: the step it would take on the picture with
// those seams removed. All seams advance together one row at a time, in the order of their cost, which
// picks the same pixels as tracing them one by one but stays within two rows of memory; the rows above
// and below the middle row go to different threads.
int SeamSearch::traceSeams(int tries, int wanted) {
    const int32_t* meet = down_.last();
    const int32_t* below = up_.last();
    const auto total = [&](int32_t x) { return int64_t{meet[x]} + below[x]; };
    const int ranked = std::min(width_, tries + 1);
    std::iota(order_.begin(), order_.begin() + width_, 0);
    std::partial_sort(
        order_.begin(), order_.begin() + ranked, order_.begin() + width_,
        [&](int32_t a, int32_t b) { return total(a) < total(b) || (total(a) == total(b) && a < b); });
    const int64_t limit = total(order_[ranked - 1]) + total(order_[0]) * kSlackPercent / 100 + height_;
    seams_.resize(static_cast<size_t>(tries) * height_);
    extra_.resize(2 * static_cast<size_t>(tries));
    budgets_.resize(tries);
    int32_t* start = seams(middle_, tries);
    for (int s = 0; s < tries; ++s) {
        start[s] = order_[s];
        budgets_[s] = limit - total(start[s]);
        extra_[s] = -int64_t{meet[start[s]]};
        extra_[tries + s] = -int64_t{below[start[s]]};
    }
    const auto upwards = [&] {
        TakenPixels taken(width_); // in the row being entered
        for (int y = middle_; y > 0; --y) {
            advance(seams(y, tries), seams(y - 1, tries), tries, taken, down_.row(y - 1), extra_.data(),
                    [above = luma(y - 1), row = luma(y), width = width_](int x, int k) {
                        return StepCost(above, row, width, x, Sign(k - x));
                    });
        }
    };
    const auto downwards = [&] {
        TakenPixels taken(width_);
        for (int y = middle_; y < height_ - 1; ++y) {
            advance(seams(y, tries), seams(y + 1, tries), tries, taken, up_.row(height_ - 2 - y),
                    extra_.data() + tries,
                    [above = luma(y), row = luma(y + 1), width = width_](int x, int k) {
                        return StepCost(above, row, width, k, Sign(x - k));
                    });
        }
    };
    RunBoth(upwards, downwards, parallel());
    return keepCheapSeams(tries, wanted);
}

// Moves each seam from its column in one row to the cheapest of: straight on, the nearest free pixel
// to the left, the nearest free one to the right (`ahead` holds the best costs on from the next row,
// `step` the cost of the step itself). There is always a free pixel, because a pass tries fewer seams
// than the picture has columns. extra[s] starts at minus the seam's planned cost and adds up the steps
// taken; with the best cost on from where the seam now is, that is what being pushed aside has cost it
// so far at least, and once that exceeds its budget the seam is given up (column -1 from there on).
template <typename Step>
void SeamSearch::advance(const int32_t* from, int32_t* to, int count, TakenPixels& taken,
                         const int32_t* ahead, int64_t* extra, const Step& step) const {
    // Locals, as the stores below could alias members of the same type.
    const int width = width_;
    const int64_t* budgets = budgets_.data();
    for (int s = 0; s < count; ++s) {
        const int x = from[s];
        to[s] = -1;
        if (x < 0) continue;
        const int left = taken.freeLeftOf(x - 1);
        const int right = taken.freeRightOf(x + 1);
        // Which way is cheapest is not predictable, so all three are costed and picked without branches;
        // a way that does not exist costs kNoWay. Straight comes first, so that ties keep a seam straight.
        const int l = left >= 0 ? left : x, r = right < width ? right : x;
        const int32_t straightStep = step(x, x), leftStep = step(x, l), rightStep = step(x, r);
        const int64_t straight = taken[x] ? kNoWay : int64_t{ahead[x]} + straightStep;
        const int64_t toLeft = left >= 0 ? int64_t{ahead[l]} + leftStep : kNoWay;
        const int64_t toRight = right < width ? int64_t{ahead[r]} + rightStep : kNoWay;
        int best = x;
        int32_t bestStep = straightStep;
        int64_t bestCost = straight;
        best = toLeft < bestCost ? l : best;
        bestStep = toLeft < bestCost ? leftStep : bestStep;
        bestCost = std::min(bestCost, toLeft);
        best = toRight < bestCost ? r : best;
        bestStep = toRight < bestCost ? rightStep : bestStep;
        extra[s] += bestStep;
        if (extra[s] + ahead[best] > budgets[s]) continue;
        to[s] = best;
        taken.take(best);
    }
    taken.clear(); // for the next row
}

// A seam that earlier ones pushed aside may have had to cut through what they went round. Keeps a
// seam only while it costs no more than the cheapest seam this pass did not try, and at most `wanted`
// seams; the others give their pixels back. The first seam is never pushed, so at least one stays.
int SeamSearch::keepCheapSeams(int tries, int wanted) {
    std::vector<uint8_t> keep(tries);
    int kept = 0;
    for (int s = 0; s < tries && kept < wanted; ++s) {
        const int top = seams(0, tries)[s];
        if (top < 0 || seams(height_ - 1, tries)[s] < 0) continue;
        const int64_t upwards = extra_[s] + down_.row(0)[top];
        keep[s] = upwards + extra_[tries + s] <= budgets_[s];
        kept += keep[s];
    }
    for (int y = 0; y < height_; ++y) {
        int32_t* xs = seams(y, tries);
        int32_t* out = seams(y, kept);
        for (int s = 0; s < tries; ++s)
            if (keep[s]) *out++ = xs[s];
    }
    return kept;
}

// Sorts each row's seams and closes the gaps they leave, a run between two seams at a time.
void SeamSearch::removeSeams(int found) {
    ForRowHalves(height_, parallel(), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            int32_t* xs = seams(y, found);
            std::sort(xs, xs + found);
            Luma* l = luma(y);
            for (int s = 0; s < found; ++s) // the run after seam s moves s + 1 to the left
                std::copy(l + xs[s] + 1, l + (s + 1 < found ? xs[s + 1] : width_), l + xs[s] - s);
        }
    });
    width_ -= found;
}

} // namespace

// Maps each pass's seams back to the picture's columns: the i-th column a pass saw is the picture's
// column i + (the number of columns earlier passes took up to it). Both lists are ascending, so one
// walk through them does it.
void Seams::row(int y, std::vector<int32_t>& columns, std::vector<int32_t>& work) const {
    columns.clear();
    if (count_ == width_) { // every column
        columns.resize(width_);
        std::iota(columns.begin(), columns.end(), 0);
        return;
    }
    for (const Pass& pass : passes_) {
        const int32_t* xs = pass.columns.data() + static_cast<size_t>(y) * pass.perRow;
        work.resize(columns.size() + pass.perRow);
        size_t earlier = 0;
        auto out = work.begin();
        for (int s = 0; s < pass.perRow; ++s) {
            int32_t x = xs[s] + static_cast<int32_t>(earlier);
            while (earlier < columns.size() && columns[earlier] <= x) {
                *out++ = columns[earlier++];
                ++x;
            }
            *out++ = x;
        }
        std::copy(columns.begin() + static_cast<ptrdiff_t>(earlier), columns.end(), out);
        columns.swap(work);
    }
}

Seams FindSeams(const RgbView& image, int count, const CarveOptions& options) {
    if (count == image.width) return Seams(image.width, count); // every column goes
    return SeamSearch(image, options).run(count);
}

} // namespace velomira::carve

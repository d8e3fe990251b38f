#include "SeamApply.h"
#include "VelomiraISE.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

using Pixel = std::array<uint8_t, 3>;
using Row = std::vector<Pixel>;
constexpr uint8_t kUntouched = 0xAB;

// An RGB picture with `pad` spare bytes after each row (kUntouched), so that other strides are used.
struct Picture {
    int width, height, stride;
    std::vector<uint8_t> bytes;

    Picture(int w, int h, int pad = 0)
        : width(w), height(h), stride(3 * w + pad), bytes(size_t(stride) * h, kUntouched) {}
    uint8_t* at(int x, int y) { return bytes.data() + size_t(y) * stride + 3 * x; }
    Row row(int y) const {
        Row out{size_t(width)};
        std::copy_n(bytes.data() + size_t(y) * stride, 3 * width, out.front().data());
        return out;
    }
};

Picture noise(int w, int h, int pad = 0, unsigned seed = 1) {
    Picture picture(w, h, pad);
    std::mt19937 random(seed);
    for (int i = 0; i < w * h * 3; ++i)
        picture.at(i / 3 % w, i / 3 / w)[i % 3] = static_cast<uint8_t>(random());
    return picture;
}

// Calls the library as the composition does.
Picture carve(const Picture& in, int target, int pad = 0) {
    Picture out(target, in.height, pad);
    EXPECT_EQ(ISE40_SeamCarve(in.bytes.data(), in.width, in.height, 3, in.stride, 0, 0, out.bytes.data(),
                              out.stride, target - in.width + 1, 1000, 1),
              1);
    return out;
}

bool isSubsequence(const Row& part, const Row& whole) {
    auto it = whole.begin();
    for (const Pixel& p : part) {
        if ((it = std::find(it, whole.end(), p)) == whole.end()) return false;
        ++it;
    }
    return true;
}

} // namespace

// Narrowing only drops pixels and widening only adds them: the narrower row must be a subsequence
// of the wider one (at equal width: the same row), which also pins the exact width. The padding
// behind each row stays as it was.
TEST(SeamCarve, RowsKeepTheirPixelsInOrder) {
    const std::array<int, 3> cases[] = {{40, 12, 30},
                                        {40, 12, 1},
                                        {40, 12, 80},
                                        {40, 12, 79},
                                        {17, 9, 17},
                                        {1, 1, 2},
                                        {2, 1, 1},
                                        {3, 2, 5},
                                        // Large enough for two threads and several seams per pass.
                                        {320, 240, 251},
                                        {320, 240, 517}};
    for (const auto& [width, height, target] : cases) {
        const Picture in = noise(width, height, 5), out = carve(in, target, 7);
        for (int y = 0; y < height; ++y) {
            EXPECT_TRUE(target <= width ? isSubsequence(out.row(y), in.row(y))
                                        : isSubsequence(in.row(y), out.row(y)))
                << width << " to " << target << ", row " << y;
            EXPECT_EQ(std::count(out.bytes.begin() + y * out.stride + 3 * target,
                                 out.bytes.begin() + (y + 1) * out.stride, kUntouched),
                      7);
        }
    }
}

// At twice the width each pixel is followed by the mean of it and its right neighbour (rounded up),
// the last one by itself.
TEST(SeamCarve, DoubleWidthInterpolates) {
    const Picture in = noise(9, 4), out = carve(in, 18);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const Pixel p = in.row(y)[size_t(x)], right = in.row(y)[size_t(std::min(x + 1, in.width - 1))];
            EXPECT_EQ(out.row(y)[size_t(2 * x)], p);
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(out.row(y)[size_t(2 * x + 1)][size_t(c)],
                          (p[size_t(c)] + right[size_t(c)] + 1) / 2);
        }
}

// A textured 10 x 10 block on a flat grey ground: carving takes or doubles ground only, and the
// block comes out whole and unsheared.
TEST(SeamCarve, OnlyTheGroundChanges) {
    const Pixel ground{90, 90, 90};
    const Picture texture = noise(10, 10, 0, 7);
    for (const auto& [left, target] : {std::pair{25, 41}, {0, 35}, {50, 45}, {25, 83}}) {
        Picture in(60, 20);
        for (int i = 0; i < 60 * 20; ++i) {
            const int x = i % 60, y = i / 60;
            const bool inside = x >= left && x < left + 10 && y >= 5 && y < 15;
            std::copy_n(inside ? texture.row(y - 5)[size_t(x - left)].data() : ground.data(), 3, in.at(x, y));
        }
        const Picture out = carve(in, target);
        std::vector<long> columns;
        for (int y = 0; y < 20; ++y) {
            const Row row = out.row(y), object = y >= 5 && y < 15 ? texture.row(y - 5) : Row{};
            EXPECT_EQ(std::count(row.begin(), row.end(), ground), target - long(object.size())) << y;
            if (!object.empty())
                columns.push_back(std::search(row.begin(), row.end(), object.begin(), object.end()) -
                                  row.begin());
        }
        EXPECT_EQ(columns, std::vector<long>(10, columns.front())) << left << " to " << target;
        EXPECT_LT(columns.front(), target);
    }
}

// Sharing the work between two threads, or taking many seams per pass, must not depend on timing.
TEST(SeamCarve, ThreadsDoNotChangeTheResult) {
    using namespace velomira::carve;
    const Picture in = noise(300, 260, 3, 5);
    for (const int target : {220, 410}) {
        std::vector<uint8_t> one(size_t(3) * target * in.height), two(one.size());
        const RgbView view{in.bytes.data(), in.width, in.height, size_t(in.stride)};
        CarveOptions oneCore;
        oneCore.bothCores = false;
        CarveToWidth(view, {one.data(), target, in.height, size_t(3) * target}, oneCore);
        CarveToWidth(view, {two.data(), target, in.height, size_t(3) * target}, CarveOptions{});
        EXPECT_EQ(one, two) << "target " << target;
    }
}

// Refused without touching the target: width, stride, overlap and size limits.
TEST(SeamCarve, BadArgumentsAreRefused) {
    std::vector<uint8_t> src(4096, 1), dst(4096, kUntouched);
    const struct {
        int width, height, bytesPerPixel, srcStride, dstStride, target;
        uint8_t* to;
    } cases[] = {
        {0, 4, 3, 12, 9, 3, dst.data()},
        {4, 4, 4, 16, 12, 3, dst.data()},
        {4, 4, 3, 11, 9, 3, dst.data()},
        {4, 4, 3, 12, 8, 3, dst.data()},
        {4, 4, 3, 12, 27, 9, dst.data()},
        {4, 4, 3, 12, 9, 3, src.data() + 3},
        {20'000, 20'000, 3, 60'000, 60'000, 20'000, dst.data()},
        {1'000'000'000, 1, 3, 2'000'000'000, 3, 1, dst.data()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ISE40_SeamCarve(src.data(), c.width, c.height, c.bytesPerPixel, c.srcStride, 0, 0, c.to,
                                  c.dstStride, c.target - c.width + 1, 1000, 1),
                  0)
            << c.width << "x" << c.height << " to " << c.target;
    EXPECT_EQ(std::count(dst.begin(), dst.end(), kUntouched), 4096);
}

#include "SeamApply.h"
#include "VelomiraISE.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

using Pixel = std::array<uint8_t, 3>;
constexpr uint8_t kUntouched = 0xAB;

// An RGB picture with `pad` spare bytes after each row, so that strides other than width x 3 are used.
struct Picture {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> bytes;

    Picture(int w, int h, int pad = 0, uint8_t fill = 0)
        : width(w), height(h), stride(3 * w + pad), bytes(size_t(stride) * h, fill) {}
    uint8_t* at(int x, int y) { return bytes.data() + size_t(y) * stride + 3 * x; }
    Pixel pixel(int x, int y) const {
        const uint8_t* p = bytes.data() + size_t(y) * stride + 3 * x;
        return {p[0], p[1], p[2]};
    }
    std::vector<Pixel> row(int y) const {
        std::vector<Pixel> out;
        for (int x = 0; x < width; ++x)
            out.push_back(pixel(x, y));
        return out;
    }
};

Picture Noise(int w, int h, int pad = 0, unsigned seed = 1) {
    Picture picture(w, h, pad, kUntouched);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                picture.at(x, y)[c] = static_cast<uint8_t>(random());
    return picture;
}

// Calls the library as the composition does; the output's padding starts as kUntouched.
int Carve(const Picture& in, int target, Picture& out, int pad = 0) {
    out = Picture(target, in.height, pad, kUntouched);
    return ISE40_SeamCarve(in.bytes.data(), in.width, in.height, 3, in.stride, 0, 0, out.bytes.data(),
                           out.stride, target - in.width + 1, 1000, 1);
}

bool IsSubsequence(const std::vector<Pixel>& part, const std::vector<Pixel>& whole) {
    auto it = whole.begin();
    for (const Pixel& p : part) {
        it = std::find(it, whole.end(), p);
        if (it == whole.end()) return false;
        ++it;
    }
    return true;
}

bool PaddingUntouched(const Picture& picture) {
    for (int y = 0; y < picture.height; ++y)
        for (int i = 3 * picture.width; i < picture.stride; ++i)
            if (picture.bytes[size_t(y) * picture.stride + i] != kUntouched) return false;
    return true;
}

struct SizeCase {
    int width;
    int height;
    int target;
};

class SeamCarveSize : public testing::TestWithParam<SizeCase> {};

// Narrowing only drops pixels and widening only adds them: either way the narrower row must be a
// subsequence of the wider one, which also pins the output's exact width.
TEST_P(SeamCarveSize, RowsKeepTheirPixelsInOrder) {
    const SizeCase c = GetParam();
    const Picture in = Noise(c.width, c.height, 5);
    Picture out(0, 0);
    ASSERT_EQ(Carve(in, c.target, out, 7), 1);
    EXPECT_TRUE(PaddingUntouched(out));
    for (int y = 0; y < c.height; ++y) {
        const bool narrowing = c.target <= c.width;
        EXPECT_TRUE(narrowing ? IsSubsequence(out.row(y), in.row(y)) : IsSubsequence(in.row(y), out.row(y)))
            << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SeamCarveSize,
                         testing::Values(SizeCase{40, 12, 30}, SizeCase{40, 12, 57}, SizeCase{40, 12, 1},
                                         SizeCase{40, 12, 80}, SizeCase{40, 12, 79}, SizeCase{1, 1, 1},
                                         SizeCase{1, 1, 2}, SizeCase{2, 1, 1}, SizeCase{2, 1, 3},
                                         SizeCase{3, 1, 1}, SizeCase{3, 1, 6}, SizeCase{3, 2, 5},
                                         // Large enough for two threads and several seams per pass.
                                         SizeCase{320, 240, 251}, SizeCase{320, 240, 517}));

TEST(SeamCarve, EqualWidthCopies) {
    const Picture in = Noise(17, 9, 4);
    Picture out(0, 0);
    ASSERT_EQ(Carve(in, 17, out, 2), 1);
    for (int y = 0; y < in.height; ++y)
        EXPECT_EQ(out.row(y), in.row(y));
    EXPECT_TRUE(PaddingUntouched(out));
}

// At twice the width every pixel is doubled: each one is followed by the mean of it and its right
// neighbour (rounded up), the last one by itself.
TEST(SeamCarve, DoubleWidthInterpolates) {
    const Picture in = Noise(9, 4);
    Picture out(0, 0);
    ASSERT_EQ(Carve(in, 18, out), 1);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const Pixel p = in.pixel(x, y);
            const Pixel right = in.pixel(std::min(x + 1, in.width - 1), y);
            Pixel mean;
            for (int c = 0; c < 3; ++c)
                mean[c] = static_cast<uint8_t>((p[c] + right[c] + 1) / 2);
            EXPECT_EQ(out.pixel(2 * x, y), p);
            EXPECT_EQ(out.pixel(2 * x + 1, y), mean);
        }
}

struct ObjectCase {
    int left; // the object's first column
    int target;
};

class SeamCarveObject : public testing::TestWithParam<ObjectCase> {};

// A textured 10 x 10 block on a flat grey ground: carving must take or double ground only, and the
// block must come out whole and unsheared.
TEST_P(SeamCarveObject, OnlyTheGroundChanges) {
    constexpr int kWidth = 60, kHeight = 20, kSize = 10, kTop = 5;
    const Pixel ground{90, 90, 90};
    const ObjectCase c = GetParam();
    Picture in(kWidth, kHeight);
    const Picture texture = Noise(kSize, kSize, 0, 7);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= c.left && x < c.left + kSize && y >= kTop && y < kTop + kSize;
            const Pixel p = inside ? texture.pixel(x - c.left, y - kTop) : ground;
            std::copy(p.begin(), p.end(), in.at(x, y));
        }
    Picture out(0, 0);
    ASSERT_EQ(Carve(in, c.target, out), 1);

    int objectColumn = -1;
    for (int y = 0; y < kHeight; ++y) {
        const std::vector<Pixel> row = out.row(y);
        const auto ground_count = std::count(row.begin(), row.end(), ground);
        const bool hasObject = y >= kTop && y < kTop + kSize;
        EXPECT_EQ(ground_count, c.target - (hasObject ? kSize : 0)) << "row " << y;
        if (!hasObject) continue;
        const std::vector<Pixel> object = texture.row(y - kTop);
        const auto found = std::search(row.begin(), row.end(), object.begin(), object.end());
        ASSERT_NE(found, row.end()) << "row " << y;
        const int column = int(found - row.begin());
        if (objectColumn < 0) objectColumn = column;
        EXPECT_EQ(column, objectColumn) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Objects, SeamCarveObject,
                         testing::Values(ObjectCase{25, 41}, ObjectCase{0, 35}, ObjectCase{50, 45},
                                         ObjectCase{25, 83}, ObjectCase{0, 77}));

// Sharing the work between two threads, or taking many seams per pass, must not depend on timing.
TEST(SeamCarve, ThreadsDoNotChangeTheResult) {
    using namespace velomira::carve;
    const Picture in = Noise(300, 260, 3, 5);
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

struct BadCase {
    const char* what;
    int width, height, bytesPerPixel, srcStride, dstStride, target;
    bool nullSrc = false, nullDst = false, sameBuffer = false;
};

class SeamCarveRefuses : public testing::TestWithParam<BadCase> {};

TEST_P(SeamCarveRefuses, BadArguments) {
    const BadCase c = GetParam();
    std::vector<uint8_t> src(4096, 1), dst(4096, kUntouched);
    const uint8_t* from = c.nullSrc ? nullptr : src.data();
    uint8_t* to = c.nullDst ? nullptr : c.sameBuffer ? src.data() + 3 : dst.data();
    EXPECT_EQ(ISE40_SeamCarve(from, c.width, c.height, c.bytesPerPixel, c.srcStride, 0, 0, to, c.dstStride,
                              c.target - c.width + 1, 1000, 1),
              0)
        << c.what;
    EXPECT_EQ(std::count(dst.begin(), dst.end(), kUntouched), ptrdiff_t(dst.size())) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SeamCarveRefuses,
    testing::Values(
        BadCase{"no source", 4, 4, 3, 12, 9, 3, true}, BadCase{"no target", 4, 4, 3, 12, 9, 3, false, true},
        BadCase{"zero width", 0, 4, 3, 12, 9, 3}, BadCase{"negative height", 4, -2, 3, 12, 9, 3},
        BadCase{"four bytes a pixel", 4, 4, 4, 16, 12, 3}, BadCase{"short source rows", 4, 4, 3, 11, 9, 3},
        BadCase{"short target rows", 4, 4, 3, 12, 8, 3}, BadCase{"target width 0", 4, 4, 3, 12, 9, 0},
        BadCase{"over twice the width", 4, 4, 3, 12, 27, 9},
        BadCase{"overlapping buffers", 4, 4, 3, 12, 9, 3, false, false, true},
        BadCase{"too many rows", 1, 1'000'001, 3, 3, 3, 1},
        BadCase{"too many pixels", 20'000, 20'000, 3, 60'000, 60'000, 20'000},
        BadCase{"stride overflows", 1'000'000'000, 1, 3, 2'000'000'000, 3, 1}));

} // namespace

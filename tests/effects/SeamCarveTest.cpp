#include "VelomiraISE.h"

#include <gtest/gtest.h>
#include <random>

using Row = std::vector<uint32_t>; // 0xRRGGBB a pixel
constexpr uint8_t kUntouched = 0xAB;

// An RGB picture with `pad` spare bytes (kUntouched) after each row, so that other strides are used.
struct Picture {
    int width, height, stride;
    std::vector<uint8_t> bytes;

    Picture(int w, int h, int pad = 0, unsigned seed = 0)
        : width(w), height(h), stride(3 * w + pad), bytes(size_t(stride) * h, kUntouched) {
        std::mt19937 random(seed); // noise unless seed is 0
        for (int i = 0; seed && i < w * h * 3; ++i)
            at(i / 3 % w, i / 3 / w)[i % 3] = static_cast<uint8_t>(random());
    }
    uint8_t* at(int x, int y) { return bytes.data() + size_t(y) * stride + 3 * x; }
    Row row(int y) const {
        Row out;
        for (const uint8_t* p = &bytes[size_t(y) * stride]; out.size() < size_t(width); p += 3)
            out.push_back(uint32_t(p[0] << 16 | p[1] << 8 | p[2]));
        return out;
    }
    // Carved to `target` columns as the composition does it.
    Picture carved(int target, int pad = 0) const {
        Picture out(target, height, pad);
        EXPECT_EQ(ISE40_SeamCarve(bytes.data(), width, height, 3, stride, 0, 0, out.bytes.data(), out.stride,
                                  target - width + 1, 1000, 1),
                  1);
        return out;
    }
};

static bool isSubsequence(const Row& part, const Row& whole) {
    size_t j = 0;
    for (size_t i = 0; i < whole.size() && j < part.size(); ++i)
        j += whole[i] == part[j];
    return j == part.size();
}

// Narrowing only drops pixels and widening only adds them: the narrower row must be a subsequence
// of the wider one (at equal width: the same row), which also pins the exact width; the padding
// behind each row stays as it was. 320 x 240 takes two threads and several seams per pass, 800 x 700
// arrays in huge pages.
TEST(SeamCarve, RowsKeepTheirPixelsInOrder) {
    const std::array<int, 3> cases[] = {{40, 12, 30},    {40, 12, 1},     {40, 12, 80}, {40, 12, 79},
                                        {17, 9, 17},     {1, 1, 2},       {2, 1, 1},    {3, 2, 5},
                                        {320, 240, 251}, {800, 700, 1317}};
    for (const auto& [width, height, target] : cases) {
        const Picture in(width, height, 5, 1), out = in.carved(target, 7);
        for (int y = 0; y < height; ++y) {
            EXPECT_TRUE(target <= width ? isSubsequence(out.row(y), in.row(y))
                                        : isSubsequence(in.row(y), out.row(y)))
                << width << " to " << target << ", row " << y;
            EXPECT_EQ(std::count(&out.bytes[size_t(y * out.stride + 3 * target)],
                                 &out.bytes[size_t(y * out.stride)] + out.stride, kUntouched),
                      7);
        }
    }
}

// At twice the width each pixel is followed by the mean of it and its right neighbour (rounded up
// in each channel), the last one by itself.
TEST(SeamCarve, DoubleWidthInterpolates) {
    const Picture in(9, 4, 0, 1), out = in.carved(18);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const uint32_t p = in.row(y)[size_t(x)], q = in.row(y)[size_t(std::min(x + 1, in.width - 1))];
            const auto mean = [&](int shift) {
                return ((p >> shift & 255) + (q >> shift & 255) + 1) / 2 << shift;
            };
            EXPECT_EQ(out.row(y)[size_t(2 * x)], p);
            EXPECT_EQ(out.row(y)[size_t(2 * x + 1)], mean(16) | mean(8) | mean(0)) << x << "," << y;
        }
}

// A textured 10 x 10 block on a flat ground: carving takes or doubles ground only, and the
// block comes out whole and unsheared.
TEST(SeamCarve, OnlyTheGroundChanges) {
    Picture texture(10, 10, 0, 7);
    for (const auto& [left, target] : {std::pair{25, 41}, {0, 35}, {50, 45}, {25, 83}}) {
        Picture in(60, 20);
        for (int i = 0; i < 100; ++i) // the ground is left as kUntouched
            std::copy_n(texture.at(i % 10, i / 10), 3, in.at(left + i % 10, 5 + i / 10));
        const Picture out = in.carved(target);
        std::vector<long> columns;
        for (int y = 0; y < 20; ++y) {
            const Row row = out.row(y), object = y >= 5 && y < 15 ? texture.row(y - 5) : Row{};
            EXPECT_EQ(std::count(row.begin(), row.end(), 0xABABAB), target - long(object.size())) << y;
            if (!object.empty())
                columns.push_back(std::search(row.begin(), row.end(), object.begin(), object.end()) -
                                  row.begin());
        }
        EXPECT_EQ(columns, std::vector<long>(10, columns.front())) << left << " to " << target;
        EXPECT_LT(columns.front(), target);
    }
}

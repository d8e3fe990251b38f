#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>

namespace {

// Resizes into a buffer with guard bytes behind it, which must stay untouched.
ImageBuffer resized(const ImageBuffer& source, int32_t width, int32_t height, int32_t mode) {
    constexpr uint8_t kGuard = 0xA5;
    std::vector<uint8_t> out(size_t(width) * height * 3 + 16, kGuard);
    EXPECT_EQ(IS40_ResizeImage(source.data(), source.width(), source.height(), source.stride(), out.data(),
                               width, height, width * 3, 3, mode, 0),
              1);
    for (size_t i = out.size() - 16; i < out.size(); ++i)
        EXPECT_EQ(out[i], kGuard) << "written beyond the picture";
    ImageBuffer result = ImageBuffer::Allocate(width, height);
    std::copy_n(out.begin(), result.size(), result.data());
    return result;
}

ImageBuffer fromRows(const std::vector<std::vector<Rgb>>& rows) {
    ImageBuffer image = ImageBuffer::Allocate(int32_t(rows[0].size()), int32_t(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            for (int c = 0; c < 3; ++c)
                image.data()[(y * rows[0].size() + x) * 3 + size_t(c)] = uint8_t(rows[y][x][size_t(c)]);
    return image;
}

} // namespace

TEST(Resize, AreaAverageIsTheRoundedMean) {
    const struct {
        const char* name;
        ImageBuffer source;
        int32_t width, height;
        std::vector<Rgb> expected;
    } cases[] = {
        // Means 151 / 6 = 25.17, 255, 21 / 6 = 3.5 (halves round up).
        {"1 x 1",
         fromRows({{{0, 255, 1}, {10, 255, 2}, {20, 255, 3}}, {{30, 255, 4}, {40, 255, 5}, {51, 255, 6}}}),
         1,
         1,
         {{25, 255, 4}}},
        // Three pixels into two: the middle one counts half for each, (0 + 45) / 1.5 and (45 + 180) / 1.5.
        {"3 to 2",
         fromRows({{{0, 0, 0}, {90, 90, 90}, {180, 180, 180}}}),
         2,
         1,
         {{30, 30, 30}, {150, 150, 150}}},
        // Enlarging repeats each pixel's colour where it alone is covered.
        {"2 to 4",
         fromRows({{{0, 0, 0}, {200, 100, 50}}}),
         4,
         1,
         {{0, 0, 0}, {0, 0, 0}, {200, 100, 50}, {200, 100, 50}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageBuffer out = resized(c.source, c.width, c.height, IS40_RESIZE_AREA);
        for (int i = 0; i < c.width * c.height; ++i)
            EXPECT_EQ(PixelAt(out, i % c.width, i / c.width), c.expected[size_t(i)]);
    }
}

TEST(Resize, AreaAverageOfALargePicture) {
    // Red = x, green = y, blue alternates 0 and 255: every mean is 127.5.
    ImageBuffer source = ImageBuffer::Allocate(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            uint8_t* p = source.data() + (y * 256 + x) * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = (x + y) % 2 ? 255 : 0;
        }
    EXPECT_EQ(PixelAt(resized(source, 1, 1, IS40_RESIZE_AREA), 0, 0), (Rgb{128, 128, 128}));
}

TEST(Resize, FilterKeepsAFlatColourFlat) {
    const struct {
        int32_t width, height, width2, height2;
    } cases[] = {{7, 5, 3, 2},     {7, 5, 20, 13}, {1, 1, 5, 5}, {100, 1, 7, 3},
                 {640, 480, 1, 1}, {3, 700, 3, 9}, {9, 4, 2, 4}};
    for (const auto& c : cases) {
        for (const int32_t mode : {IS40_RESIZE_LANCZOS, IS40_RESIZE_AREA}) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " to " << c.width2 << "x"
                                            << c.height2 << " mode " << mode);
            const Rgb colour{255, 0, 77};
            const ImageBuffer out = resized(Filled(c.width, c.height, colour), c.width2, c.height2, mode);
            for (int y = 0; y < c.height2; ++y)
                for (int x = 0; x < c.width2; ++x)
                    ASSERT_EQ(PixelAt(out, x, y), colour) << x << "," << y;
        }
    }
}

// Shrinking must look at every source pixel: a one-pixel checkerboard becomes an even grey, not
// black or white as with point sampling.
TEST(Resize, FilterAveragesWhenShrinking) {
    ImageBuffer board = ImageBuffer::Allocate(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            std::fill_n(board.data() + (y * 64 + x) * 3, 3, (x + y) % 2 ? 255 : 0);
    const ImageBuffer out = resized(board, 16, 16, IS40_RESIZE_LANCZOS);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            for (const int v : PixelAt(out, x, y))
                EXPECT_NEAR(v, 127.5, 2) << x << "," << y;
}

// Output pixel i covers source pixels 8i to 8i + 7, whose mean on a ramp is 8i + 3.5: a filter
// whose centres are off by half a pixel is off by 4 here.
TEST(Resize, FilterCentresMatchTheSource) {
    ImageBuffer ramp = ImageBuffer::Allocate(256, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 256; ++x)
            std::fill_n(ramp.data() + (y * 256 + x) * 3, 3, x);
    const ImageBuffer out = resized(ramp, 32, 1, IS40_RESIZE_LANCZOS);
    for (int i = 2; i < 30; ++i)
        EXPECT_NEAR(PixelAt(out, i, 0)[0], 8 * i + 3.5, 1) << i;
}

TEST(Resize, BadArgumentsAreRefused) {
    const ImageBuffer source = Filled(4, 4, {1, 2, 3});
    uint8_t out[48] = {};
    const struct {
        int32_t width2, height2, stride2, bytesPerPixel, mode, error;
    } cases[] = {
        {0, 4, 0, 3, IS40_RESIZE_LANCZOS, IS40_ERR_ARGUMENT},
        {4, -1, 12, 3, IS40_RESIZE_LANCZOS, IS40_ERR_ARGUMENT},
        {4, 4, 11, 3, IS40_RESIZE_AREA, IS40_ERR_ARGUMENT},
        {4, 4, 12, 4, IS40_RESIZE_AREA, IS40_ERR_ARGUMENT},
        {2, 2, 6, 3, 15, IS40_ERR_UNSUPPORTED},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IS40_ResizeImage(source.data(), 4, 4, 12, out, c.width2, c.height2, c.stride2,
                                   c.bytesPerPixel, c.mode, 0),
                  0);
        EXPECT_EQ(IS40_GetLastError(), c.error);
    }
    EXPECT_EQ(IS40_ResizeImage(nullptr, 4, 4, 12, out, 2, 2, 6, 3, IS40_RESIZE_AREA, 0), 0);
}

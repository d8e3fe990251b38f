#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>

namespace {

// Resizes into a buffer with guard bytes behind it, which must stay untouched.
ImageBuffer resized(const ImageBuffer& source, int32_t width, int32_t height, int32_t mode) {
    std::vector<uint8_t> out(size_t(width) * height * 3 + 16, 0xA5);
    EXPECT_EQ(IS40_ResizeImage(source.data(), source.width(), source.height(), source.stride(), out.data(),
                               width, height, width * 3, 3, mode, 0),
              1);
    EXPECT_EQ(std::count(out.end() - 16, out.end(), 0xA5), 16) << "written beyond the picture";
    ImageBuffer result = ImageBuffer::Allocate(width, height);
    std::copy_n(out.begin(), result.size(), result.data());
    return result;
}

// A picture whose pixel (x, y) is f(x, y), the same in all three channels unless f says otherwise.
template <typename F> ImageBuffer drawn(int32_t width, int32_t height, F f) {
    ImageBuffer image = ImageBuffer::Allocate(width, height);
    for (int i = 0; i < width * height; ++i) {
        const Rgb p = f(i % width, i / width);
        std::copy(p.begin(), p.end(), image.data() + i * 3);
    }
    return image;
}

Rgb grey(int v) {
    return {v, v, v};
}

} // namespace

TEST(Resize, AreaAverageIsTheRoundedMean) {
    const Rgb six[] = {{0, 255, 1}, {10, 255, 2}, {20, 255, 3}, {30, 255, 4}, {40, 255, 5}, {51, 255, 6}};
    const struct {
        const char* name;
        ImageBuffer source;
        int32_t width;
        std::vector<Rgb> expected;
    } cases[] = {
        // 151 / 6 = 25.17, 255, 21 / 6 = 3.5 (a half rounds up).
        {"1 x 1", drawn(3, 2, [&](int x, int y) { return six[y * 3 + x]; }), 1, {{25, 255, 4}}},
        // Three pixels into two: the middle one counts half for each, (0 + 45) / 1.5, (45 + 180) / 1.5.
        {"3 to 2", drawn(3, 1, [](int x, int) { return grey(x * 90); }), 2, {grey(30), grey(150)}},
        {"2 to 4",
         drawn(2, 1, [](int x, int) { return grey(x * 200); }),
         4,
         {grey(0), grey(0), grey(200), grey(200)}},
        // x, y and a checkerboard: every mean is 127.5.
        {"256 x 256",
         drawn(256, 256,
               [](int x, int y) {
                   return Rgb{x, y, (x + y) % 2 * 255};
               }),
         1,
         {grey(128)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageBuffer out = resized(c.source, c.width, 1, IS40_RESIZE_AREA);
        for (int x = 0; x < c.width; ++x)
            EXPECT_EQ(PixelAt(out, x, 0), c.expected[size_t(x)]);
    }
}

TEST(Resize, BothModesKeepAFlatColourFlat) {
    const struct {
        int32_t width, height, width2, height2;
    } cases[] = {{7, 5, 3, 2},   {7, 5, 20, 13},   {1, 1, 5, 5},
                 {100, 1, 7, 3}, {640, 480, 1, 1}, {3, 700, 3, 9}};
    for (const auto& c : cases)
        for (const int32_t mode : {IS40_RESIZE_LANCZOS, IS40_RESIZE_AREA}) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " to " << c.width2 << "x"
                                            << c.height2 << " mode " << mode);
            const ImageBuffer out =
                resized(Filled(c.width, c.height, {255, 0, 77}), c.width2, c.height2, mode);
            for (int i = 0; i < c.width2 * c.height2; ++i)
                ASSERT_EQ(PixelAt(out, i % c.width2, i / c.width2), (Rgb{255, 0, 77})) << "pixel " << i;
        }
}

// Shrinking must take in every source pixel: a one-pixel checkerboard becomes an even grey, not
// black or white as with point sampling.
TEST(Resize, FilterAveragesWhenShrinking) {
    const ImageBuffer out = resized(drawn(64, 64, [](int x, int y) { return grey((x + y) % 2 * 255); }), 16,
                                    16, IS40_RESIZE_LANCZOS);
    for (int i = 0; i < 16 * 16; ++i)
        EXPECT_NEAR(PixelAt(out, i % 16, i / 16)[0], 127.5, 2) << "pixel " << i;
    // So far down that every single weight is below the fixed-point resolution.
    const ImageBuffer dot =
        resized(drawn(40000, 1, [](int x, int) { return grey(x % 2 * 255); }), 1, 1, IS40_RESIZE_LANCZOS);
    EXPECT_NEAR(PixelAt(dot, 0, 0)[0], 127.5, 2);
}

// Output pixel i covers source pixels 8i to 8i + 7, whose mean on a ramp is 8i + 3.5: a filter
// whose centres are off by half a pixel is off by 4 here.
TEST(Resize, FilterCentresMatchTheSource) {
    const ImageBuffer out =
        resized(drawn(256, 2, [](int x, int) { return grey(x); }), 32, 1, IS40_RESIZE_LANCZOS);
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
}

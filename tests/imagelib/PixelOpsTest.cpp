// Cropping and resizing in the library's pixel buffers, against hand-worked pixels.
#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <vector>

// Resizes into a buffer with guard bytes behind it, which must stay untouched.
static ImageBuffer resized(const ImageBuffer& source, int32_t width, int32_t height, int32_t mode) {
    std::vector<uint8_t> out(size_t(width) * height * 3 + 16, 0xA5);
    EXPECT_EQ(IS40_ResizeImage(source.data(), source.width(), source.height(), source.stride(), out.data(),
                               width, height, width * 3, 3, mode, 0),
              1);
    EXPECT_EQ(std::count(out.end() - 16, out.end(), 0xA5), 16) << "written beyond the picture";
    ImageBuffer result = ImageBuffer::Allocate(width, height);
    std::copy_n(out.begin(), result.size(), result.data());
    return result;
}

static const auto grey = [](int v) { return Rgb{v, v, v}; };

TEST(PixelOps, CropTakesTheRectangle) {
    const ImageBuffer source = Drawn(4, 3, [](int x, int y) { return Rgb{x, y, 50}; });
    const IS40_RECT r{1, 1, 3, 3};
    ImageBuffer out = ImageBuffer::Allocate(2, 2);
    ASSERT_EQ(IS40_CropImage(source.data(), 4, 3, source.stride(), out.data(), out.stride(), &r, 3), 1);
    EXPECT_EQ(std::pair(PixelAt(out, 0, 0), PixelAt(out, 1, 1)), std::pair(Rgb{1, 1, 50}, Rgb{2, 2, 50}));
}

TEST(PixelOps, AreaAverageIsTheRoundedMean) {
    const Rgb six[] = {{0, 255, 1}, {10, 255, 2}, {20, 255, 3}, {30, 255, 4}, {40, 255, 5}, {51, 255, 6}};
    const struct {
        ImageBuffer source;
        std::vector<Rgb> expected;
    } cases[] = {
        // 151 / 6 = 25.17, 255, 21 / 6 = 3.5 (a half rounds up).
        {Drawn(3, 2, [&](int x, int y) { return six[y * 3 + x]; }), {{25, 255, 4}}},
        // Three pixels into two: the middle one counts half for each, (0 + 45) / 1.5, (45 + 180) / 1.5.
        {Drawn(3, 1, [](int x, int) { return grey(x * 90); }), {grey(30), grey(150)}},
        // x, y and a checkerboard: every mean is 127.5.
        {Drawn(256, 256,
               [](int x, int y) {
                   return Rgb{x, y, (x + y) % 2 * 255};
               }),
         {grey(128)}},
    };
    for (const auto& [source, expected] : cases) {
        const ImageBuffer out = resized(source, int32_t(expected.size()), 1, IS40_RESIZE_AREA);
        for (size_t x = 0; x < expected.size(); ++x)
            EXPECT_EQ(PixelAt(out, int(x), 0), expected[x]) << source.width() << " to " << expected.size();
    }
}

// A flat colour stays flat in both modes. Shrinking takes in every source pixel: a one-pixel
// checkerboard becomes an even grey, not black or white as with point sampling, even where every
// single weight is below the fixed-point resolution. Output pixel i of the ramp covers source pixels
// 8i to 8i + 7, whose mean is 8i + 3.5: a filter whose centres are off by half a pixel is off by 4.
TEST(PixelOps, ResizeFiltersAverageAroundTheRightCentres) {
    for (const auto& [w, h, w2, h2] : {std::array{7, 5, 3, 2}, {7, 5, 20, 13}, {640, 480, 1, 1}})
        for (const int32_t mode : {IS40_RESIZE_LANCZOS, IS40_RESIZE_AREA}) {
            const ImageBuffer out = resized(Drawn(w, h,
                                                  [](int, int) {
                                                      return Rgb{255, 0, 77};
                                                  }),
                                            w2, h2, mode);
            for (int i = 0; i < w2 * h2; ++i)
                ASSERT_EQ(PixelAt(out, i % w2, i / w2), (Rgb{255, 0, 77}))
                    << w << "x" << h << " mode " << mode;
        }
    const auto checkers = [](int x, int y) { return grey((x + y) % 2 * 255); };
    const ImageBuffer out = resized(Drawn(64, 64, checkers), 16, 16, IS40_RESIZE_LANCZOS);
    for (int i = 0; i < 16 * 16; ++i)
        EXPECT_NEAR(PixelAt(out, i % 16, i / 16)[0], 127.5, 2) << "pixel " << i;
    EXPECT_NEAR(PixelAt(resized(Drawn(40000, 1, checkers), 1, 1, IS40_RESIZE_LANCZOS), 0, 0)[0], 127.5, 2);
    const ImageBuffer ramp =
        resized(Drawn(256, 2, [](int x, int) { return grey(x); }), 32, 1, IS40_RESIZE_LANCZOS);
    for (int i = 2; i < 30; ++i)
        EXPECT_NEAR(PixelAt(ramp, i, 0)[0], 8 * i + 3.5, 1) << i;
}

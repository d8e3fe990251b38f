// Cropping and resizing in the library's pixel buffers, against hand-worked pixels.
#include "ImageTestSupport.h"

#include "VelomiraIS.h"
#include "compose/FitPicture.h"
#include "compose/FitPlan.h"

#include <algorithm>
#include <sys/resource.h>
#include <vector>

// Resizes into a buffer with guard bytes behind it, which must stay untouched. Parts of the result
// made alone (the first pixel, the lower right) must be the cuts of the whole there.
static ImageBuffer resized(const ImageBuffer& source, int32_t width, int32_t height, int32_t mode) {
    std::vector<uint8_t> out(size_t(width) * height * 3 + 16, 0xA5);
    EXPECT_EQ(IS40_ResizeImage(source.data(), source.width(), source.height(), source.stride(), out.data(),
                               width, height, width * 3, 3, mode, 0),
              1);
    EXPECT_EQ(std::count(out.end() - 16, out.end(), 0xA5), 16) << "written beyond the picture";
    ImageBuffer result = ImageBuffer::Allocate(width, height);
    std::copy_n(out.begin(), result.size(), result.data());
    for (const IS40_RECT r : {IS40_RECT{0, 0, 1, 1}, {width / 3, height / 2, width, height}}) {
        ImageBuffer part = ImageBuffer::Allocate(r.right - r.left, r.bottom - r.top),
                    cut = ImageBuffer::Allocate(part.width(), part.height());
        IS40_CropImage(result.data(), width, height, result.stride(), cut.data(), cut.stride(), &r, 3);
        EXPECT_TRUE(IS40_ResizeImagePart(source.data(), source.width(), source.height(), source.stride(),
                                         part.data(), width, height, part.stride(), &r, 3, mode, 0) == 1 &&
                    std::ranges::equal(part.bytes(), cut.bytes()))
            << "part from " << r.left << "," << r.top;
    }
    return result;
}

static const auto grey = [](int v) { return Rgb{v, v, v}; };

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
    const auto flat = [](int, int) { return Rgb{255, 0, 77}; };
    for (const auto& [w, h, w2, h2] : {std::array{7, 5, 3, 2}, {7, 5, 20, 13}, {640, 480, 1, 1}})
        for (const int32_t mode : {IS40_RESIZE_LANCZOS, IS40_RESIZE_AREA}) {
            const ImageBuffer out = resized(Drawn(w, h, flat), w2, h2, mode);
            for (int i = 0; i < w2 * h2; ++i)
                ASSERT_EQ(PixelAt(out, i % w2, i / w2), flat(0, 0)) << w << "x" << h << " mode " << mode;
        }
    const auto checkers = [](int x, int y) { return grey((x + y) % 2 * 255); };
    for (const auto& [w2, h2] : {std::pair{23, 16}, {23, 7}, {9, 16}, {4, 16}}) // parts: see resized()
        resized(Drawn(9, 7, checkers), w2, h2, IS40_RESIZE_LANCZOS);
    const ImageBuffer out = resized(Drawn(64, 64, checkers), 16, 16, IS40_RESIZE_LANCZOS);
    for (int i = 0; i < 16 * 16; ++i)
        EXPECT_NEAR(PixelAt(out, i % 16, i / 16)[0], 127.5, 2) << "pixel " << i;
    EXPECT_NEAR(PixelAt(resized(Drawn(40000, 1, checkers), 1, 1, IS40_RESIZE_LANCZOS), 0, 0)[0], 127.5, 2);
    const ImageBuffer ramp =
        resized(Drawn(256, 2, [](int x, int) { return grey(x); }), 32, 1, IS40_RESIZE_LANCZOS);
    for (int i = 2; i < 30; ++i)
        EXPECT_NEAR(PixelAt(ramp, i, 0)[0], 8 * i + 3.5, 1) << i;
    // Down a picture large enough for several bands of rows on each of two threads: halved, steps two
    // rows high become one row each, any row off shows.
    const ImageBuffer tall = resized(Drawn(600, 1024, [](int, int y) { return grey(y / 2 % 256); }), 300, 512,
                                     IS40_RESIZE_LANCZOS);
    for (int i = 3; i < 509; ++i)
        if (i % 256 > 3 && i % 256 < 252) {
            EXPECT_EQ(PixelAt(tall, 150, i), grey(i % 256)) << i;
        }
}

// Filling a 1920 x 1080 screen with a 1 x 400 picture resamples only the cut that shows, not the
// whole 1920 x 768000 (4.4 GB). Pixel y of the ramp is y % 256; the bottom right pixel lies at
// source row 200.3, between the centres of rows 199 and 200.
TEST(PixelOps, FillingWithAHairThinPictureCostsTheScreen) {
    LoadImageLibrary();
    Settings::Misc fill;
    fill.magnify = kFill;
    const ImageBuffer filled =
        FitPicture(Drawn(1, 400, [](int, int y) { return grey(y % 256); }), {1920, 1080}, fill);
    ASSERT_EQ(std::pair(filled.width(), filled.height()), std::pair(1920, 1080));
    EXPECT_NEAR(PixelAt(filled, 1919, 1079)[0], 199.8, 0.5);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 300 * 1024) << "kB at the peak";
}

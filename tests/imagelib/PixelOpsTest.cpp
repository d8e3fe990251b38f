#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = 4, H = 3;
const Rgb kBackground{1, 1, 1}, kPaint{9, 8, 7};
using Rows = std::vector<std::string>;

// The picture as text: '#' for kPaint, '.' for kBackground.
Rows drawn(const ImageBuffer& image) {
    Rows rows(static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            rows[size_t(y)] += PixelAt(image, x, y) == kPaint        ? '#'
                               : PixelAt(image, x, y) == kBackground ? '.'
                                                                     : '?';
    return rows;
}

const Rows kUntouched{"....", "....", "...."};

} // namespace

TEST(PixelOps, FillClipsToTheBuffer) {
    const struct {
        IS40_RECT rect;
        Rows expected;
    } cases[] = {
        {{1, 1, 3, 2}, {"....", ".##.", "...."}},
        {{-2, 1, 1, 9}, {"....", "#...", "#..."}}, // over the left and bottom edges
        {{3, -5, 9, 1}, {"...#", "....", "...."}}, // over the right and top edges
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {"####", "####", "####"}},
        {{4, 0, 8, 3}, kUntouched},   // wholly right
        {{-3, -3, 0, 0}, kUntouched}, // wholly above and left
        {{0, 3, 4, 8}, kUntouched},   // wholly below
        {{3, 2, 1, 1}, kUntouched},   // right < left: empty
    };
    for (const auto& c : cases) {
        ImageBuffer image = Filled(W, H, kBackground);
        EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 3, image.stride(), &c.rect, 0x070809, 0), 1);
        EXPECT_EQ(drawn(image), c.expected) << c.rect.left << "," << c.rect.top;
    }
}

TEST(PixelOps, OverlayClipsToTheBuffer) {
    const ImageBuffer stamp = Filled(2, 2, kPaint);
    const struct {
        int x, y;
        Rows expected;
    } cases[] = {
        {1, 1, {"....", ".##.", ".##."}},
        {-1, -1, {"#...", "....", "...."}},
        {3, 2, {"....", "....", "...#"}},
        {-1, 1, {"....", "#...", "#..."}},
        {3, -1, {"...#", "....", "...."}},
        {4, 0, kUntouched},
        {-2, 0, kUntouched},
        {0, 3, kUntouched},
        {INT32_MAX, INT32_MIN, kUntouched},
    };
    for (const auto& c : cases) {
        ImageBuffer image = Filled(W, H, kBackground);
        EXPECT_EQ(IS40_OverlayImage(image.data(), W, H, 3, image.stride(), stamp.data(), 2, 2, 6, c.x, c.y,
                                    1.0, 1.0, 0, 0),
                  1);
        EXPECT_EQ(drawn(image), c.expected) << c.x << "," << c.y;
    }
    ImageBuffer image = Filled(1, 1, {100, 0, 255});
    ASSERT_EQ(IS40_OverlayImage(image.data(), 1, 1, 3, 3, stamp.data(), 2, 2, 6, 0, 0, 0.5, 1.0, 0, 0), 1);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgb{55, 4, 131})); // half of each
}

TEST(PixelOps, CropLeavesWhatLiesOutsideZero) {
    // Source pixel (x, y) holds (x + 1, y + 1, 50); the expected rows name each output pixel's
    // source as "xy", "--" for none.
    ImageBuffer source = ImageBuffer::Allocate(W, H);
    for (int i = 0; i < W * H; ++i)
        std::copy_n(std::array<uint8_t, 3>{uint8_t(i % W + 1), uint8_t(i / W + 1), 50}.data(), 3,
                    source.data() + i * 3);
    const struct {
        IS40_RECT rect;
        Rows expected;
    } cases[] = {
        {{1, 1, 3, 2}, {"11 21"}},
        {{-1, -1, 1, 1}, {"-- --", "-- 00"}},
        {{3, 2, 5, 4}, {"32 --", "-- --"}},
        {{-1, 0, 5, 1}, {"-- 00 10 20 30 --"}},
        {{2, -1, 3, 4}, {"--", "20", "21", "22", "--"}},
        {{5, 5, 7, 6}, {"-- --"}},
    };
    for (const auto& c : cases) {
        const int w = c.rect.right - c.rect.left, h = c.rect.bottom - c.rect.top;
        ImageBuffer out = ImageBuffer::Allocate(w, h);
        ASSERT_EQ(IS40_CropImage(source.data(), W, H, source.stride(), out.data(), out.stride(), &c.rect, 3),
                  1);
        Rows got(static_cast<size_t>(h));
        for (int i = 0; i < w * h; ++i) {
            const Rgb p = PixelAt(out, i % w, i / w);
            got[size_t(i / w)] += std::string(i % w ? " " : "") +
                                  (p[2] ? std::to_string(p[0] - 1) + std::to_string(p[1] - 1) : "--");
        }
        EXPECT_EQ(got, c.expected) << c.rect.left << "," << c.rect.top;
    }
}

TEST(PixelOps, BadArgumentsAreRefused) {
    ImageBuffer image = Filled(W, H, kBackground);
    const IS40_RECT rect{0, 0, 2, 2}, inverted{2, 0, 0, 2};
    uint8_t small[12] = {};
    EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 3, W * 3 - 1, &rect, 0, 0), 0); // stride too small
    EXPECT_EQ(IS40_OverlayImage(image.data(), W, H, 3, W * 3, small, 2, 2, 6, 0, 0, 1.5, 1.0, 0, 0), 0);
    EXPECT_EQ(IS40_CropImage(image.data(), W, H, W * 3, small, 6, &inverted, 3), 0);
    EXPECT_EQ(IS40_CropImage(image.data(), W, H, W * 3, small, 5, &rect, 3), 0); // dst rows too short
    EXPECT_EQ(IS40_GetLastError(), IS40_ERR_ARGUMENT);
    EXPECT_EQ(drawn(image), kUntouched);
}

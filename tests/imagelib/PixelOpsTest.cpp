#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = 4, H = 3;
const Rgb kBackground{1, 1, 1}, kPaint{9, 8, 7};

// A picture drawn as text: '#' for kPaint, '.' for kBackground.
std::vector<std::string> drawn(const ImageBuffer& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = PixelAt(image, x, y);
            row += p == kPaint ? '#' : p == kBackground ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;

} // namespace

TEST(PixelOps, FillClipsToTheBuffer) {
    const struct {
        IS40_RECT rect;
        Rows expected;
    } cases[] = {
        {{1, 1, 3, 2}, {"....", ".##.", "...."}},
        {{-2, 1, 1, 9}, {"....", "#...", "#..."}},  // left and bottom edges
        {{3, -5, 9, 1}, {"...#", "....", "...."}},  // right and top edges
        {{-9, -9, 9, 9}, {"####", "####", "####"}}, // all four
        {{4, 0, 8, 3}, {"....", "....", "...."}},   // wholly right
        {{-3, -3, 0, 0}, {"....", "....", "...."}}, // wholly above and left
        {{0, 3, 4, 8}, {"....", "....", "...."}},   // wholly below
        {{3, 2, 1, 1}, {"....", "....", "...."}},   // right < left: empty
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {"####", "####", "####"}},
    };
    for (const auto& c : cases) {
        ImageBuffer image = Filled(W, H, kBackground);
        const uint32_t colour = 0x070809; // COLORREF: red 9, green 8, blue 7
        EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 3, image.stride(), &c.rect, colour, 0), 1);
        EXPECT_EQ(drawn(image), c.expected)
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
}

TEST(PixelOps, OverlayClipsToTheBuffer) {
    const ImageBuffer stamp = Filled(2, 2, kPaint);
    const struct {
        int x, y;
        Rows expected;
    } cases[] = {
        {1, 1, {"....", ".##.", ".##."}},  {-1, -1, {"#...", "....", "...."}},
        {3, 2, {"....", "....", "...#"}},  {-1, 1, {"....", "#...", "#..."}},
        {3, -1, {"...#", "....", "...."}}, {4, 0, {"....", "....", "...."}},
        {-2, 0, {"....", "....", "...."}}, {0, 3, {"....", "....", "...."}},
        {0, -2, {"....", "....", "...."}}, {INT32_MAX, INT32_MIN, {"....", "....", "...."}},
    };
    for (const auto& c : cases) {
        ImageBuffer image = Filled(W, H, kBackground);
        EXPECT_EQ(IS40_OverlayImage(image.data(), W, H, 3, image.stride(), stamp.data(), 2, 2, stamp.stride(),
                                    c.x, c.y, 1.0, 1.0, 0, 0),
                  1);
        EXPECT_EQ(drawn(image), c.expected) << c.x << "," << c.y;
    }
}

TEST(PixelOps, OverlayBlendsByOpacity) {
    ImageBuffer image = Filled(2, 1, {100, 0, 255});
    const ImageBuffer stamp = Filled(1, 1, {200, 255, 0});
    ASSERT_EQ(IS40_OverlayImage(image.data(), 2, 1, 3, 6, stamp.data(), 1, 1, 3, 1, 0, 0.5, 1.0, 0, 0), 1);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgb{100, 0, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgb{150, 128, 128}));
}

TEST(PixelOps, CropCopiesWhatLiesInsideAndLeavesTheRestZero) {
    // Source pixel (x, y) holds (x + 1, y + 1, 50).
    ImageBuffer source = ImageBuffer::Allocate(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            uint8_t* p = source.data() + (y * W + x) * 3;
            p[0] = uint8_t(x + 1), p[1] = uint8_t(y + 1), p[2] = 50;
        }
    // Each expected row lists, per output pixel, the source pixel "xy" or "--" for none.
    const struct {
        IS40_RECT rect;
        std::vector<std::string> expected;
    } cases[] = {
        {{1, 1, 3, 2}, {"11 21"}},
        {{-1, -1, 1, 1}, {"-- --", "-- 00"}},            // top-left corner
        {{3, 2, 5, 4}, {"32 --", "-- --"}},              // bottom-right corner
        {{-1, 0, 5, 1}, {"-- 00 10 20 30 --"}},          // wider than the source
        {{2, -1, 3, 4}, {"--", "20", "21", "22", "--"}}, // taller than the source
        {{5, 5, 7, 6}, {"-- --"}},                       // wholly outside
    };
    for (const auto& c : cases) {
        const int w = c.rect.right - c.rect.left, h = c.rect.bottom - c.rect.top;
        ImageBuffer out = ImageBuffer::Allocate(w, h);
        ASSERT_EQ(IS40_CropImage(source.data(), W, H, source.stride(), out.data(), out.stride(), &c.rect, 3),
                  1);
        std::vector<std::string> got;
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                const Rgb p = PixelAt(out, x, y);
                row += (x ? " " : "") + (p == Rgb{0, 0, 0}
                                             ? std::string("--")
                                             : std::to_string(p[0] - 1) + std::to_string(p[1] - 1));
            }
            got.push_back(row);
        }
        EXPECT_EQ(got, c.expected) << c.rect.left << "," << c.rect.top;
    }
}

TEST(PixelOps, BadArgumentsAreRefused) {
    ImageBuffer image = Filled(W, H, kBackground);
    const IS40_RECT rect{0, 0, 2, 2};
    const IS40_RECT inverted{2, 0, 0, 2};
    uint8_t small[12] = {};
    EXPECT_EQ(IS40_FillSolidRect(nullptr, W, H, 3, W * 3, &rect, 0, 0), 0);
    EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 3, W * 3 - 1, &rect, 0, 0), 0);
    EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 4, W * 3, &rect, 0, 0), 0);
    EXPECT_EQ(IS40_FillSolidRect(image.data(), W, H, 3, W * 3, nullptr, 0, 0), 0);
    EXPECT_EQ(IS40_OverlayImage(image.data(), W, H, 3, W * 3, image.data(), 0, 1, 3, 0, 0, 1.0, 1.0, 0, 0),
              0);
    EXPECT_EQ(IS40_OverlayImage(image.data(), W, H, 3, W * 3, small, 2, 2, 6, 0, 0, 1.5, 1.0, 0, 0), 0);
    EXPECT_EQ(IS40_CropImage(image.data(), W, H, W * 3, small, 6, &inverted, 3), 0);
    EXPECT_EQ(IS40_CropImage(image.data(), W, H, W * 3, small, 5, &rect, 3), 0); // dst rows too short
    EXPECT_EQ(IS40_GetLastError(), IS40_ERR_ARGUMENT);
    EXPECT_EQ(drawn(image), (Rows{"....", "....", "...."}));
}

#include "compose/FitPlan.h"

#include <gtest/gtest.h>

// Hand-worked sizes on a 1920 x 1080 screen (or 100 x 100 where rounding shows).
TEST(FitPlan, ModesOnSmallerLargerAndEqualPictures) {
    const QSize hd(1920, 1080), square(100, 100);
    const struct {
        QSize picture, screen;
        int mode;
        bool width, height;
        QSize resize;
        QRect crop;
        int carve;
    } cases[] = {
        {{4000, 1000}, hd, kShrinkOnly, true, true, {1920, 480}, {}, 0}, // by the tighter side
        {{800, 600}, hd, kFit, true, true, {1440, 1080}, {}, 0},
        {{3, 40}, square, kFit, true, true, {8, 100}, {}, 0},  // 7.5: a half rounds to even
        {{5, 40}, square, kFit, true, true, {12, 100}, {}, 0}, // 12.5
        {{10000, 1}, hd, kFit, true, true, {1920, 1}, {}, 0},  // a hair-thin picture keeps one pixel
        {{1000, 1000}, hd, kFill, true, true, {1920, 1920}, {0, 420, 1920, 1080}, 0},
        {{105, 100}, square, kFill, true, true, {105, 100}, {2, 0, 100, 100}, 0}, // overflow 5: 2 on the left
        {{107, 100}, square, kFill, true, true, {107, 100}, {4, 0, 100, 100}, 0}, // overflow 7: 4 on the left
        {{800, 600}, hd, kStretch, true, false, {1920, 600}, {}, 0},
        {{800, 2000}, hd, kStretch, false, true, {800, 1080}, {}, 0},
        {{600, 1200}, hd, kSeamCarve, true, true, {540, 1080}, {}, 1080}, // widened at most twice
        {{2000, 1000}, hd, kSeamCarve, true, true, {2160, 1080}, {}, 1920},
        {{400, 1}, hd, kSeamCarve, true, true, {7680, 1080}, {}, 1920}, // carved from 4 screens' width
        {hd, hd, kFit, true, true, {}, {}, 0},      // a screen-sized picture is used as it is
        {{800, 600}, hd, 7, true, true, {}, {}, 0}, // unknown mode
    };
    for (const auto& c : cases) {
        const FitPlan plan = PlanFit(c.picture, c.screen, c.mode, c.width, c.height);
        EXPECT_EQ(std::tuple(plan.resize, plan.crop, plan.carveToWidth),
                  std::tuple(c.resize, c.crop, c.carve))
            << c.picture.width() << "x" << c.picture.height() << " mode " << c.mode;
    }
}

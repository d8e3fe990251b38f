// Placement, measuring and drawing of the calendar's texts on a real canvas with the real library.
#include "calendar/CalendarText.h"
#include "calendar/MoonSymbols.h"
#include "compose/WorkingImage.h"

#include "StampSupport.h"

namespace {

const CalendarFont kArial{"Arial", 20, 400};

} // namespace

using CalendarText = LibraryTest;

TEST_F(CalendarText, AnchorsRoundTheCentreHalfToEven) {
    struct Case {
        int position, offset, blockSize, x, y; // on a 1000 x 1000 image
    };
    const Case cases[] = {
        {5, 0, 277, 362, 362},   // 723 / 2 = 361.5
        {5, 0, 279, 360, 360},   // 721 / 2 = 360.5
        {9, -10, 277, 713, 713}, // offsets are added at the far edges too
        {3, 5, 277, 728, 5},     {10, 5, 277, 0, 0},
    };
    Canvas canvas(1000, 1000);
    const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
    for (const Case& c : cases) {
        EXPECT_EQ(AnchorX(c.position, c.offset, c.blockSize), c.x) << c.position << " " << c.offset;
        EXPECT_EQ(AnchorY(c.position, c.offset, c.blockSize), c.y) << c.position << " " << c.offset;
    }
}

TEST_F(CalendarText, MeasuresTheWidestLine) {
    Canvas canvas(200, 50);
    const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
    const double wide = MeasureTextWidth("Mittwoch", kArial);
    EXPECT_GT(wide, MeasureTextWidth("Mo", kArial));
    EXPECT_DOUBLE_EQ(MeasureTextWidth("Mo%\\Mittwoch", kArial), wide);
    EXPECT_EQ(MeasureTextWidth("", kArial), 0);
    EXPECT_EQ(MeasureTextWidth("Mo", {"Arial", 0}), 0);
    EXPECT_EQ(MeasureTextWidth("Mo", {"Arial", 20, 400, 256}), 0); // a style flag beyond a byte
}

TEST_F(CalendarText, AutomaticContrastByLuminance) {
    struct Case {
        const char* what;
        QColor background, ink;
    };
    const Case cases[] = {
        {"black on yellow", QColor(255, 255, 0), Qt::black},
        {"white on blue", QColor(0, 0, 255), Qt::white},
    };
    for (const Case& c : cases) {
        Canvas canvas(80, 40, c.background);
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        DrawSmoothText("HH", {"Arial", 30, 700}, 0x00ff00, true, 100, kTextCentre, {0, 0, 80, 40});
        // Bold stems are wider than a pixel: some pixels take the ink whole.
        bool inked = false;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                inked = inked || canvas.at(x, y) == c.ink;
        EXPECT_TRUE(inked) << c.what;
    }
}

TEST_F(CalendarText, OwnMoonSymbolsWithoutTheMoonFont) {
    // A 16-pixel symbol at the left of a 40 x 30 cell: the square (4, 7)-(20, 23), centred on (12, 15).
    struct Case {
        const char* what;
        int symbol;
        bool left, middle, right; // fully inked at (8, 15), (12, 15), (16, 15)
    };
    const Case cases[] = {
        {"new moon: a filled disc", kNewMoon, true, true, true},
        {"full moon: a ring", kFullMoon, false, false, false},
        {"first quarter: lit on the right", kFirstQuarter, false, true, true},
        {"last quarter: lit on the left", kLastQuarter, true, false, false},
    };
    const QColor ink(0, 0, 200);
    for (const Case& c : cases) {
        Canvas canvas(40, 30, Qt::white);
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        DrawMoonSymbol(c.symbol, {4, 0, 40, 30}, 16, 400, 0xc80000);
        const QRect drawn = canvas.changed(Qt::white);
        EXPECT_TRUE(QRect(4, 7, 16, 16).contains(drawn)) << c.what;
        EXPECT_GE(drawn.height(), 15) << c.what;
        EXPECT_EQ(canvas.at(8, 15) == ink, c.left) << c.what;
        EXPECT_EQ(canvas.at(12, 15) == ink, c.middle) << c.what;
        EXPECT_EQ(canvas.at(16, 15) == ink, c.right) << c.what;
    }
}

// The library's line and text measuring functions on real buffers; the rest is seen through the
// stamp renderer (TextStampTest).
#include "StampSupport.h"

#include <cstring>

namespace {

IS40_LOGFONT Font(const char* face, int32_t height) {
    IS40_LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = 400;
    std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
    return font;
}

} // namespace

using Drawing = LibraryTest;

TEST_F(Drawing, LinesAreThinAndClipped) {
    struct Case {
        QPoint from, to;
        std::vector<QPoint> drawn;
        int count; // pixels drawn in all
    } const cases[] = {
        {{1, 1}, {4, 1}, {{1, 1}, {4, 1}}, 4}, // both ends included
        {{2, 5}, {2, 3}, {{2, 3}, {2, 5}}, 3},
        {{0, 0}, {7, 7}, {{0, 0}, {3, 3}, {7, 7}}, 8},
        {{-2000000000, 2}, {2000000000, 2}, {{0, 2}, {7, 2}}, 8},
        {{-5, -1}, {20, -1}, {}, 0},
    };
    for (const Case& c : cases) {
        Canvas canvas(8, 8);
        ASSERT_EQ(fn().IS40_DrawLineOnImage(canvas.data(), 8, 8, 3, 24, 0x0000ff, c.from.x(), c.from.y(),
                                            c.to.x(), c.to.y(), 2),
                  1);
        int count = 0;
        for (int i = 0; i < 64; ++i)
            count += canvas.at(i % 8, i / 8) == QColor(Qt::red);
        EXPECT_EQ(count, c.count) << c.from.x() << "," << c.from.y();
        for (QPoint p : c.drawn)
            EXPECT_EQ(canvas.at(p.x(), p.y()), QColor(Qt::red)) << p.x() << "," << p.y();
    }
}

TEST_F(Drawing, TextBlockSizes) {
    const IS40_RECT any{0, 0, 100, 100};
    const auto size = [&](const char* text, const IS40_LOGFONT& font, int32_t flags = IS40_DT_NOPREFIX) {
        int32_t w = -1, h = -1;
        EXPECT_EQ(fn().IS40_GetTextLineSize2(text, &font, &any, flags, 0, &w, &h), 1) << text;
        return QSize(w, h);
    };
    // A positive height is the cell: a line of "Arial" 15 is 15 pixels high, as on Windows.
    const IS40_LOGFONT arial = Font("Arial", 15);
    EXPECT_EQ(size("Velomira", arial).height(), 15);
    EXPECT_EQ(size("Zeile 1\r\nZeile 2", arial).height(), 30);
    EXPECT_EQ(size("Zeile 1\r\nZeile 2", arial, IS40_DT_SINGLELINE).height(), 15);
    EXPECT_NEAR(size("Velomira", arial).width(), 53, 1); // Arial's advances: 3.945 em of 13.43 pixels
    // Four times the height measures four times as wide, so the stamp can be measured at 4x.
    EXPECT_NEAR(size("Bild Hund vom 03.02.2009", Font("Arial", 60)).width(),
                4 * size("Bild Hund vom 03.02.2009", arial).width(), 6);
    EXPECT_LT(size("&&&&", arial, 0).width(), size("&&&&", arial).width()); // "&&" is one "&"
    EXPECT_GT(size("Velomira", Font("Keine Schrift", 15)).width(), 0);      // an unknown face falls back
}

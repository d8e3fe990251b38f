// The library's text measuring on real fonts; lines and boxes are seen through the stamp renderer.
#include "StampSupport.h"

#include <cstring>

using Drawing = LibraryTest;

TEST_F(Drawing, TextBlockSizes) {
    const IS40_RECT any{0, 0, 100, 100};
    const auto size = [&](const char* text, int32_t height, int32_t flags = IS40_DT_NOPREFIX,
                          const char* face = "Arial") {
        IS40_LOGFONT font{};
        font.lfHeight = height, font.lfWeight = 400;
        std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
        int32_t w = -1, h = -1;
        EXPECT_EQ(fn().IS40_GetTextLineSize2(text, &font, &any, flags, 0, &w, &h), 1) << text;
        return QSize(w, h);
    };
    // A positive height is the cell: a line of "Arial" 15 is 15 pixels high, as on Windows.
    EXPECT_EQ(size("Velomira", 15).height(), 15);
    EXPECT_EQ(size("Zeile 1\r\nZeile 2", 15).height(), 30);
    EXPECT_EQ(size("Zeile 1\r\nZeile 2", 15, IS40_DT_SINGLELINE).height(), 15);
    EXPECT_NEAR(size("Velomira", 15).width(), 53, 1); // Arial's advances: 3.945 em of 13.43 pixels
    // Four times the height measures four times as wide, so the stamp can be measured at 4x.
    EXPECT_NEAR(size("Bild Hund vom 03.02.2009", 60).width(),
                4 * size("Bild Hund vom 03.02.2009", 15).width(), 6);
    EXPECT_LT(size("&&&&", 15, 0).width(), size("&&&&", 15).width()); // "&&" is one "&"
    EXPECT_GT(size("Velomira", 15, 0, "Keine Schrift").width(), 0);   // an unknown face falls back
}

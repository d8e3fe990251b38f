#include "ImageTestSupport.h"
#include "TestSupport.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> headerPalette() {
    std::vector<uint8_t> palette;
    for (int i = 0; i < 16; ++i)
        palette.insert(palette.end(), {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i)});
    return palette;
}

std::vector<uint8_t> endPalette() {
    std::vector<uint8_t> trailing{0x0C};
    for (int i = 0; i < 256; ++i)
        trailing.insert(trailing.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
    return trailing;
}

struct Case {
    const char* name;
    PcxFile file;
    std::vector<Rgb> expected; // row by row
};

std::vector<Case> cases() {
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    const auto entry = [](int i) { return Rgb{i * 16, 255 - i * 16, i}; };
    const auto end = [](int i) { return Rgb{i, 255 - i, (i * 7) & 0xFF}; };
    std::vector<Case> all;
    all.push_back({"monochrome",
                   {1, 1, 3, 2, 2, {0xA0, 0x00, 0x40, 0x00}, headerPalette(), {}, false},
                   {white, black, white, black, white, black}});
    all.push_back({"2 bits",
                   {2, 1, 4, 1, 2, {0x1B, 0x00}, headerPalette(), {}, false},
                   {entry(0), entry(1), entry(2), entry(3)}});
    all.push_back({"4 bits",
                   {4, 1, 3, 1, 2, {0xF0, 0x90}, headerPalette(), {}, false},
                   {entry(15), entry(0), entry(9)}});
    // 16 colours in four 1-bit planes: pixel 0 has index 0b1010, pixel 1 index 0b0101.
    all.push_back({"4 planes",
                   {1, 4, 2, 1, 2, {0x40, 0, 0x80, 0, 0x40, 0, 0x80, 0}, headerPalette(), {}, false},
                   {entry(10), entry(5)}});
    all.push_back({"8 bits",
                   {8, 1, 3, 2, 4, {0, 200, 255, 0, 7, 7, 192, 0}, {}, endPalette(), false},
                   {end(0), end(200), end(255), end(7), end(7), end(192)}});
    all.push_back(
        {"8 bits without palette", {8, 1, 2, 1, 2, {0, 200}, {}, {}, false}, {black, {200, 200, 200}}});
    // Odd width: each plane's line is padded to 4 bytes.
    PcxFile rgb{8,  3,  3,
                2,  4,  {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0},
                {}, {}, false};
    const std::vector<Rgb> rgbPixels{{1, 4, 7},    {2, 5, 8},    {3, 6, 9},
                                     {10, 13, 16}, {11, 14, 17}, {12, 15, 18}};
    all.push_back({"24 bits", rgb, rgbPixels});
    rgb.plain = true;
    all.push_back({"24 bits uncompressed", rgb, rgbPixels});
    // One flat colour: the runs of the encoder continue across scan lines.
    all.push_back({"runs across lines",
                   {8, 1, 100, 3, 100, std::vector<uint8_t>(300, 5), {}, endPalette(), false},
                   std::vector<Rgb>(300, end(5))});
    return all;
}

} // namespace

TEST(Pcx, DecodesEveryLayout) {
    LoadImageLibrary();
    TempDir dir;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file("picture.pcx");
        WriteFile(path, EncodePcx(c.file));
        const IS40_SOURCE source = IS40_OpenFileSource(path.toUtf8().constData());
        int32_t width = 0, height = 0;
        uint8_t* pixels = IS40_ReadImage(source, &width, &height, 0, 0);
        IS40_CloseSource(source);
        ASSERT_NE(pixels, nullptr) << IS40_GetLastError();
        ImageBuffer image(pixels, width, height);
        ASSERT_EQ(width, c.file.width);
        ASSERT_EQ(height, c.file.height);
        for (int i = 0; i < width * height; ++i)
            EXPECT_EQ(PixelAt(image, i % width, i / width), c.expected[size_t(i)]) << "pixel " << i;
    }
}

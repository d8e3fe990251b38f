// PCX files put together byte by byte, and the pixels they must give.
#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <vector>

namespace {

// A PCX file; `pixels` holds each scan line's planes one after the other, run-length encoded (runs
// continue across lines) unless `plain`. `trailing` follows the pixel data.
struct PcxFile {
    int bits, planes, width, height, bytesPerLine;
    std::vector<uint8_t> pixels, palette, trailing;
    bool plain = false;
};

QByteArray encoded(const PcxFile& pcx) {
    QByteArray out(128, '\0');
    const auto put16 = [&](int at, int value) { out[at] = char(value), out[at + 1] = char(value >> 8); };
    out[0] = 0x0A, out[1] = 5, out[2] = pcx.plain ? 0 : 1, out[3] = char(pcx.bits);
    put16(8, pcx.width - 1);
    put16(10, pcx.height - 1);
    for (size_t i = 0; i < pcx.palette.size(); ++i)
        out[16 + int(i)] = char(pcx.palette[i]);
    out[65] = char(pcx.planes);
    put16(66, pcx.bytesPerLine);
    const std::vector<uint8_t>& p = pcx.pixels;
    for (size_t i = 0; i < p.size();) {
        size_t run = 1;
        while (!pcx.plain && i + run < p.size() && p[i + run] == p[i] && run < 63)
            ++run;
        if (!pcx.plain && (run > 1 || p[i] >= 0xC0)) out += char(0xC0 | run);
        out += char(p[i]);
        i += run;
    }
    return out +
           QByteArray(reinterpret_cast<const char*>(pcx.trailing.data()), qsizetype(pcx.trailing.size()));
}

} // namespace

TEST(Pcx, DecodesEveryLayout) {
    LoadImageLibrary();
    // Header colour i is (16i, 255 - 16i, i); colour i at the end of the file is (i, 255 - i, 7i).
    std::vector<uint8_t> header, end{0x0C};
    for (int i = 0; i < 256; ++i) {
        if (i < 16) header.insert(header.end(), {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i)});
        end.insert(end.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
    }
    const auto h = [](int i) { return Rgb{i * 16, 255 - i * 16, i}; };
    const auto e = [](int i) { return Rgb{i, 255 - i, i * 7 & 0xFF}; };
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    const std::vector<uint8_t> planes24{1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,  0,
                                        10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0};
    const struct {
        PcxFile file;
        std::vector<Rgb> expected; // row by row
        int error = 0;
    } cases[] = {
        {{1, 1, 3, 2, 2, {0xA0, 0, 0x40, 0}, header, {}}, {white, black, white, black, white, black}},
        {{4, 1, 3, 1, 2, {0xF0, 0x90}, header, {}}, {h(15), h(0), h(9)}},
        // Four 1-bit planes: pixel 0 has index 0b1010, pixel 1 index 0b0101.
        {{1, 4, 2, 1, 2, {0x40, 0, 0x80, 0, 0x40, 0, 0x80, 0}, header, {}}, {h(10), h(5)}},
        {{8, 1, 3, 2, 4, {0, 200, 255, 0, 7, 7, 192, 0}, {}, end},
         {e(0), e(200), e(255), e(7), e(7), e(192)}},
        // 24 bits uncompressed, odd width: each plane's line is padded to 4 bytes.
        {{8, 3, 3, 2, 4, planes24, {}, {}, true},
         {{1, 4, 7}, {2, 5, 8}, {3, 6, 9}, {10, 13, 16}, {11, 14, 17}, {12, 15, 18}}},
        // Runs continue across lines.
        {{8, 1, 100, 3, 100, std::vector<uint8_t>(300, 5), {}, end}, std::vector<Rgb>(300, e(5))},
        // Cut off, and two 8-bit planes.
        {{8, 1, 3, 2, 4, {0, 200, 255}, {}, {}, true}, {}, IS40_ERR_CORRUPT},
        {{8, 2, 2, 1, 2, {1, 2, 3, 4}, {}, {}}, {}, IS40_ERR_UNSUPPORTED},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file.bits << " bits, " << c.file.planes << " planes");
        WriteFile(dir.file("picture.pcx"), encoded(c.file));
        if (c.error) {
            EXPECT_EQ(ReadError(dir.file("picture.pcx")), c.error);
            continue;
        }
        const ImageBuffer read = ReadImage(dir.file("picture.pcx"));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(c.file.width, c.file.height));
        for (int i = 0; i < read.width() * read.height(); ++i)
            EXPECT_EQ(PixelAt(read, i % read.width(), i / read.width()), c.expected[size_t(i)])
                << "pixel " << i;
    }
}

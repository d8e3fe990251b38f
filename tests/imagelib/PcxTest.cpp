// PCX files put together byte by byte, and the pixels they must give; those ImageMagick writes, read
// as it reads them.
#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <vector>

namespace {

// A PCX file; `pixels` holds each scan line's planes one after the other, run-length encoded (runs
// continue across lines) unless `plain`.
struct PcxFile {
    int bits, planes, width, height, bytesPerLine;
    std::vector<uint8_t> pixels, palette;
    bool plain = false;
    int version = 5;
};

QByteArray encoded(const PcxFile& pcx) {
    QByteArray out(128, '\0');
    const auto put16 = [&](int at, int value) { out[at] = char(value), out[at + 1] = char(value >> 8); };
    out[0] = 0x0A, out[1] = char(pcx.version), out[2] = pcx.plain ? 0 : 1, out[3] = char(pcx.bits);
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
    return out;
}

} // namespace

TEST(Pcx, DecodesEveryLayout) {
    LoadImageLibrary();
    // Header colour i is (16i, 255 - 16i, i).
    std::vector<uint8_t> header;
    for (int i = 0; i < 16; ++i)
        header.insert(header.end(), {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i)});
    const auto h = [](int i) { return Rgb{i * 16, 255 - i * 16, i}; };
    const auto cga = [](int v, std::vector<uint8_t> p) { return PcxFile{2, 1, 4, 1, 1, {27}, p, false, v}; };
    const Rgb white{255, 255, 255}, black{0, 0, 0}, red{0xAA, 0, 0};
    const struct {
        PcxFile file;
        std::vector<Rgb> expected; // row by row
        int error = 0;
    } cases[] = {
        // Monochrome: black and white unless the header has two colours; lines padded.
        {{1, 1, 3, 2, 2, {0xA0, 0, 0x40, 0}, {}}, {white, black, white, black, white, black}},
        {{1, 1, 2, 1, 2, {0x40, 0}, header}, {h(0), h(1)}},
        // Pixels 0 to 3 in four colours: before version 5 CGA background (brown, yellow) and foreground
        // palette (0, 1 bright, colour burst off), the header colours after.
        {cga(3, {0x60, 0, 0, 0}), {{0xAA, 0x55, 0}, {0, 0xAA, 0}, red, {0xAA, 0x55, 0}}},
        {cga(2, {0xE0, 0, 0, 0x60}), {{0xFF, 0xFF, 0x55}, {0x55, 0xFF, 0xFF}, {0xFF, 0x55, 0xFF}, white}},
        {cga(4, {0, 0, 0, 0x80}), {black, {0, 0xAA, 0xAA}, red, {0xAA, 0xAA, 0xAA}}},
        {cga(5, header), {h(0), h(1), h(2), h(3)}},
        {{4, 1, 3, 1, 2, {0xF0, 0x90}, header, true}, {h(15), h(0), h(9)}},
        // Each of the three planes of a line padded to an even length.
        {{8, 3, 1, 1, 2, {1, 0, 2, 0, 3, 0}, {}}, {{1, 2, 3}}},
        // Four 1-bit planes: pixel 0 has index 0b1010, pixel 1 index 0b0101.
        {{1, 4, 2, 1, 2, {0x40, 0, 0x80, 0, 0x40, 0, 0x80, 0}, header}, {h(10), h(5)}},
        // Runs continue across lines.
        {{4, 1, 100, 3, 50, std::vector<uint8_t>(150, 0x55), header}, std::vector<Rgb>(300, h(5))},
        // Cut off, and two 8-bit planes.
        {{8, 1, 3, 2, 4, {0, 200, 255}, {}, true}, {}, IS40_ERR_CORRUPT},
        {{8, 2, 2, 1, 2, {1, 2, 3, 4}, {}}, {}, IS40_ERR_UNSUPPORTED},
    };
    TempDir dir;
    const QString pcx = dir.file("picture.pcx");
    // Compares channel i (of pixel i / 3, row by row) with want(i).
    const auto expectPixels = [&](int cols, int rows, int tol, const auto& want) {
        const ImageBuffer read = ReadImage(pcx);
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(cols, rows));
        for (int i = 0; i < cols * rows * 3; ++i)
            EXPECT_NEAR(PixelAt(read, i / 3 % cols, i / 3 / cols)[size_t(i % 3)], want(size_t(i)), tol) << i;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file.bits << " bits, " << c.file.planes << " planes");
        WriteFile(pcx, encoded(c.file));
        EXPECT_EQ(ReadError(pcx), c.error);
        if (!c.error)
            expectPixels(c.file.width, c.file.height, 0, [&](size_t i) { return c.expected[i / 3][i % 3]; });
    }

    // ImageMagick's 24 bits, 32 with alpha, and 256 colours with the palette at the end, 69 pixels
    // wide. Composed onto black, alpha is rounded as Qt does for PNG, where ImageMagick truncates.
    for (const QStringList& args : {QStringList{}, {"-alpha", "copy"}, {"-type", "Palette"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        // Written, and read back from the file.
        QStringList convert{"-background", "black", "rose:", "-chop", "1x0"};
        convert << args << "-write" << pcx << "+delete" << pcx << "-flatten" << pcx + ".rgb";
        ASSERT_EQ(RunProgram("/usr/bin/convert", convert).exitCode, 0);
        const QByteArray rgb = ReadFile(pcx + ".rgb");
        expectPixels(69, 46, args.contains("-alpha"), [&](size_t i) { return uint8_t(rgb[qsizetype(i)]); });
    }
}

#include "ImageTestSupport.h"

#include <QImageReader>
#include <QtEndian>

// Every width modulo 4 needs a different row padding; the header gives the sizes and 96 dpi.
TEST(BmpWriter, QtReadsBackEveryPixel) {
    LoadImageLibrary();
    TempDir dir;
    for (const int width : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(width);
        const ImageBuffer image = Drawn(width, 3, [](int x, int y) {
            return Rgb{x * 37, y * 80, 255 - x - y};
        });
        WriteImage(dir.file("out.bmp"), image);
        const QByteArray bmp = ReadFile(dir.file("out.bmp"));
        const auto u32 = [&](int at) { return qFromLittleEndian<uint32_t>(bmp.constData() + at); };
        const uint32_t rowBytes = (uint32_t(width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), 54 + 3 * rowBytes);
        EXPECT_EQ((std::array{u32(2), u32(34), u32(38), u32(42)}),
                  (std::array{uint32_t(bmp.size()), 3 * rowBytes, 3780u, 3780u}));
        QImageReader reader(dir.file("out.bmp"));
        EXPECT_EQ(reader.format(), "bmp");
        const QImage read = reader.read();
        ASSERT_EQ(read.size(), QSize(width, 3));
        for (int i = 0; i < width * 3; ++i)
            EXPECT_EQ(RgbOf(read.pixelColor(i % width, i / width)), PixelAt(image, i % width, i / width))
                << i;
    }
}

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageFiles.h"

#include <QTransform>
#include <gtest/gtest.h>

namespace {

class Decode : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

// Every pixel of the small pictures differs, so a swapped channel, a row in the wrong place or a
// wrong row padding shows.
QColor colourAt(int x, int y) {
    return QColor(x * 50, y * 100, 255 - x * 40);
}

QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, colourAt(x, y));
    return image;
}

} // namespace

TEST_F(Decode, LosslessFormatsKeepEveryPixel) {
    const QImage image = pattern(5, 3); // odd width: BMP rows are padded
    QImage other = pattern(5, 3);
    other.fill(Qt::white);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"picture.png", Encoded(image, "PNG")},
        {"picture.bmp", Encoded(image, "BMP")},
        {"picture.tif", Encoded(image, "TIFF")},
        {"animation.gif", EncodeGif(image, other)}, // only the first frame counts
        {"png-named.jpg", Encoded(image, "PNG")},
        {"bmp-named.pcx", Encoded(image, "BMP")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.file(c.name), c.bytes);
        const ImageBuffer read = ReadImage(dir.file(c.name));
        ASSERT_EQ(read.width(), 5);
        ASSERT_EQ(read.height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const QColor want = colourAt(x, y);
                EXPECT_EQ(PixelAt(read, x, y), (Rgb{want.red(), want.green(), want.blue()})) << x << "," << y;
            }
    }
}

TEST_F(Decode, JpegInColourGreyAndCmyk) {
    // 16 x 16 blocks of one colour each survive JPEG compression nearly unchanged.
    QImage image(48, 32, QImage::Format_RGB888);
    const QColor blocks[2][3] = {{Qt::red, Qt::green, Qt::blue},
                                 {Qt::white, Qt::black, QColor(200, 150, 50)}};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            image.setPixelColor(x, y, blocks[y / 16][x / 16]);
    WriteFile(dir.file("colour.jpg"), Encoded(image, "JPG", 95));
    WriteFile(dir.file("grey.jpg"), Encoded(image.convertToFormat(QImage::Format_Grayscale8), "JPG", 95));
    ASSERT_EQ(
        RunProgram("/usr/bin/convert", {dir.file("colour.jpg"), "-colorspace", "CMYK", dir.file("cmyk.jpg")})
            .exitCode,
        0);

    for (const char* name : {"colour.jpg", "cmyk.jpg", "grey.jpg"}) {
        SCOPED_TRACE(name);
        const bool grey = QByteArray(name) == "grey.jpg";
        const ImageBuffer read = ReadImage(dir.file(name));
        ASSERT_EQ(read.width(), 48);
        ASSERT_EQ(read.height(), 32);
        for (int by = 0; by < 2; ++by)
            for (int bx = 0; bx < 3; ++bx) {
                const QColor want = blocks[by][bx];
                const int g = qGray(want.rgb());
                const Rgb expected = grey ? Rgb{g, g, g} : Rgb{want.red(), want.green(), want.blue()};
                const Rgb got = PixelAt(read, bx * 16 + 8, by * 16 + 8);
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(got[c], expected[c], 12) << bx << "," << by << " channel " << c;
            }
    }
}

TEST_F(Decode, ExifOrientationIsApplied) {
    // The upright picture: red top-left, green top-right, blue bottom half; 32 x 16 blocks.
    QImage upright(64, 32, QImage::Format_RGB888);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            upright.setPixelColor(x, y, y >= 16 ? Qt::blue : x < 32 ? Qt::red : Qt::green);

    // A camera stores the picture turned; the tag says how to turn it back.
    const struct {
        int orientation;
        QImage stored;
    } cases[] = {
        {1, upright},
        {2, upright.mirrored(true, false)},
        {3, upright.transformed(QTransform().rotate(180))},
        {4, upright.mirrored(false, true)},
        {5, upright.transformed(QTransform().rotate(90)).mirrored(true, false)},
        {6, upright.transformed(QTransform().rotate(-90))},
        {7, upright.transformed(QTransform().rotate(-90)).mirrored(true, false)},
        {8, upright.transformed(QTransform().rotate(90))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orientation);
        const QString path = dir.file(QString("photo%1.jpg").arg(c.orientation));
        WriteFile(path, WithExifOrientation(Encoded(c.stored, "JPG", 95), c.orientation));
        const ImageBuffer read = ReadImage(path);
        ASSERT_EQ(read.width(), 64);
        ASSERT_EQ(read.height(), 32);
        const std::pair<QPoint, QColor> probes[] = {
            {{16, 8}, Qt::red}, {{48, 8}, Qt::green}, {{8, 24}, Qt::blue}, {{56, 24}, Qt::blue}};
        for (const auto& [at, colour] : probes) {
            const Rgb got = PixelAt(read, at.x(), at.y());
            const Rgb want{colour.red(), colour.green(), colour.blue()};
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(got[i], want[i], 12) << at.x() << "," << at.y();
        }
    }
}

TEST_F(Decode, TransparencyIsComposedOntoBlack) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, QColor(255, 0, 0, 255));
    image.setPixelColor(1, 0, QColor(255, 100, 0, 128));
    image.setPixelColor(2, 0, QColor(0, 255, 0, 0));
    WriteFile(dir.file("alpha.png"), Encoded(image, "PNG"));
    const ImageBuffer read = ReadImage(dir.file("alpha.png"));
    EXPECT_EQ(PixelAt(read, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(read, 1, 0), (Rgb{128, 50, 0}));
    EXPECT_EQ(PixelAt(read, 2, 0), (Rgb{0, 0, 0}));
}

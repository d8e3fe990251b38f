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

Rgb rgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

void expectNear(const Rgb& got, const Rgb& want, int tolerance) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], want[c], tolerance) << "channel " << c;
}

} // namespace

TEST_F(Decode, LosslessFormatsKeepEveryPixel) {
    // Every pixel differs, so a swapped channel, a misplaced row or a wrong BMP row padding (odd
    // width) shows.
    QImage image(5, 3, QImage::Format_RGB888);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixelColor(x, y, QColor(x * 50, y * 100, 255 - x * 40));
    WriteFile(dir.file("frame1.png"), Encoded(image, "PNG"));
    WriteFile(dir.file("frame2.png"), Encoded(image.mirrored(), "PNG"));
    // Only the first frame of an animation counts.
    ASSERT_EQ(
        RunProgram("/usr/bin/convert", {dir.file("frame1.png"), dir.file("frame2.png"), dir.file("anim.gif")})
            .exitCode,
        0);
    WriteFile(dir.file("picture.tif"), Encoded(image, "TIFF"));
    WriteFile(dir.file("picture.bmp"), Encoded(image, "BMP"));
    WriteFile(dir.file("png-named.jpg"), Encoded(image, "PNG"));
    WriteFile(dir.file("bmp-named.pcx"), Encoded(image, "BMP"));
    for (const char* name :
         {"frame1.png", "anim.gif", "picture.tif", "picture.bmp", "png-named.jpg", "bmp-named.pcx"}) {
        SCOPED_TRACE(name);
        const ImageBuffer read = ReadImage(dir.file(name));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(5, 3));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelAt(read, x, y), rgb(image.pixelColor(x, y))) << x << "," << y;
    }
}

TEST_F(Decode, JpegInColourGreyAndCmyk) {
    // 16 x 16 blocks of one colour survive JPEG compression nearly unchanged.
    const QColor blocks[] = {Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black, QColor(200, 150, 50)};
    QImage image(48, 32, QImage::Format_RGB888);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            image.setPixelColor(x, y, blocks[y / 16 * 3 + x / 16]);
    WriteFile(dir.file("colour.jpg"), Encoded(image, "JPG", 95));
    WriteFile(dir.file("grey.jpg"), Encoded(image.convertToFormat(QImage::Format_Grayscale8), "JPG", 95));
    ASSERT_EQ(
        RunProgram("/usr/bin/convert", {dir.file("colour.jpg"), "-colorspace", "CMYK", dir.file("cmyk.jpg")})
            .exitCode,
        0);
    for (const char* name : {"colour.jpg", "cmyk.jpg", "grey.jpg"}) {
        SCOPED_TRACE(name);
        const ImageBuffer read = ReadImage(dir.file(name));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(48, 32));
        for (int i = 0; i < 6; ++i) {
            const int g = qGray(blocks[i].rgb());
            const Rgb want = QByteArray(name) == "grey.jpg" ? Rgb{g, g, g} : rgb(blocks[i]);
            expectNear(PixelAt(read, i % 3 * 16 + 8, i / 3 * 16 + 8), want, 12);
        }
    }
}

TEST_F(Decode, ExifOrientationIsApplied) {
    // Upright: red top-left, green top-right, blue bottom half. A camera stores it turned and
    // tags how to turn it back.
    QImage upright(64, 32, QImage::Format_RGB888);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            upright.setPixelColor(x, y, y >= 16 ? Qt::blue : x < 32 ? Qt::red : Qt::green);
    const QImage stored[] = {upright,
                             upright.mirrored(true, false),
                             upright.transformed(QTransform().rotate(180)),
                             upright.mirrored(false, true),
                             upright.transformed(QTransform().rotate(90)).mirrored(true, false),
                             upright.transformed(QTransform().rotate(-90)),
                             upright.transformed(QTransform().rotate(-90)).mirrored(true, false),
                             upright.transformed(QTransform().rotate(90))};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString path = dir.file(QString("photo%1.jpg").arg(orientation));
        WriteFile(path, WithExifOrientation(Encoded(stored[orientation - 1], "JPG", 95), orientation));
        const ImageBuffer read = ReadImage(path);
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(64, 32));
        expectNear(PixelAt(read, 16, 8), rgb(Qt::red), 12);
        expectNear(PixelAt(read, 48, 8), rgb(Qt::green), 12);
        expectNear(PixelAt(read, 8, 24), rgb(Qt::blue), 12);
        expectNear(PixelAt(read, 56, 24), rgb(Qt::blue), 12);
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

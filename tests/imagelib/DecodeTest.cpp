// Reading pictures written by Qt and ImageMagick, through the wrapper the program uses.
#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"

#include "VelomiraIS.h"

#include <QBuffer>
#include <QImage>
#include <QTransform>
#include <sys/stat.h>

namespace {

QByteArray encoded(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// `jpeg` with an EXIF block giving `orientation` after the start marker: "Exif\0\0", a big-endian
// TIFF header and one directory with the single entry 0x0112 (SHORT).
QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    const QByteArray payload = QByteArray("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                               char(orientation) + QByteArray(6, 0);
    return jpeg.left(2) + "\xFF\xE1" + char(0) + char(payload.size() + 2) + payload + jpeg.mid(2);
}

// The library's error code for reading `path`, 0 when a picture came back.
int readError(const QString& path) {
    try {
        ReadImage(path);
        return 0;
    } catch (const ImageError& e) {
        EXPECT_EQ(e.source(), "ReadImage");
        return e.number() - 1000;
    }
}

void expectNear(const Rgb& got, const QColor& want, int tolerance = 12) {
    EXPECT_NEAR(got[0], want.red(), tolerance);
    EXPECT_NEAR(got[1], want.green(), tolerance);
    EXPECT_NEAR(got[2], want.blue(), tolerance);
}

class Decode : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    void convert(const QStringList& args) { ASSERT_EQ(RunProgram("/usr/bin/convert", args).exitCode, 0); }
    TempDir dir;
};

} // namespace

// Every pixel differs, so a swapped channel, a misplaced row or a wrong BMP row padding (odd width)
// shows; the content decides the format, not the name; only an animation's first frame counts.
TEST_F(Decode, LosslessFormatsKeepEveryPixel) {
    QImage image(5, 3, QImage::Format_RGB888);
    for (int i = 0; i < 15; ++i)
        image.setPixelColor(i % 5, i / 5, QColor(i % 5 * 50, i / 5 * 100, 255 - i % 5 * 40));
    WriteFile(dir.file("frame1.png"), encoded(image, "PNG"));
    WriteFile(dir.file("frame2.png"), encoded(image.mirrored(), "PNG"));
    convert({dir.file("frame1.png"), dir.file("frame2.png"), dir.file("anim.gif")});
    WriteFile(dir.file("picture.tif"), encoded(image, "TIFF"));
    WriteFile(dir.file("png-named.jpg"), encoded(image, "PNG"));
    WriteFile(dir.file("bmp-named.pcx"), encoded(image, "BMP"));
    for (const char* name : {"frame1.png", "anim.gif", "picture.tif", "png-named.jpg", "bmp-named.pcx"}) {
        SCOPED_TRACE(name);
        const ImageBuffer read = ReadImage(dir.file(name));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(5, 3));
        for (int i = 0; i < 15; ++i) {
            const QColor c = image.pixelColor(i % 5, i / 5);
            EXPECT_EQ(PixelAt(read, i % 5, i / 5), (Rgb{c.red(), c.green(), c.blue()})) << "pixel " << i;
        }
    }
}

// 16 x 16 blocks of one colour survive JPEG compression nearly unchanged.
TEST_F(Decode, JpegInColourGreyAndCmyk) {
    const QColor blocks[] = {Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black, QColor(200, 150, 50)};
    QImage image(48, 32, QImage::Format_RGB888);
    for (int i = 0; i < 48 * 32; ++i)
        image.setPixelColor(i % 48, i / 48, blocks[i / 48 / 16 * 3 + i % 48 / 16]);
    WriteFile(dir.file("colour.jpg"), encoded(image, "JPG", 95));
    WriteFile(dir.file("grey.jpg"), encoded(image.convertToFormat(QImage::Format_Grayscale8), "JPG", 95));
    convert({dir.file("colour.jpg"), "-colorspace", "CMYK", dir.file("cmyk.jpg")});
    for (const char* name : {"colour.jpg", "cmyk.jpg", "grey.jpg"}) {
        SCOPED_TRACE(name);
        const ImageBuffer read = ReadImage(dir.file(name));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(48, 32));
        for (int i = 0; i < 6; ++i) {
            const int g = qGray(blocks[i].rgb());
            expectNear(PixelAt(read, i % 3 * 16 + 8, i / 3 * 16 + 8),
                       QByteArray(name) == "grey.jpg" ? QColor(g, g, g) : blocks[i]);
        }
    }
}

// Upright: red top-left, green top-right, blue bottom half. A camera stores it turned and tags how
// to turn it back.
TEST_F(Decode, ExifOrientationIsApplied) {
    QImage upright(64, 32, QImage::Format_RGB888);
    for (int i = 0; i < 64 * 32; ++i)
        upright.setPixelColor(i % 64, i / 64, i / 64 >= 16 ? Qt::blue : i % 64 < 32 ? Qt::red : Qt::green);
    const QImage left = upright.transformed(QTransform().rotate(-90));
    const QImage right = upright.transformed(QTransform().rotate(90));
    const QImage stored[] = {upright,
                             upright.mirrored(true, false),
                             upright.transformed(QTransform().rotate(180)),
                             upright.mirrored(false, true),
                             right.mirrored(true, false),
                             left,
                             left.mirrored(true, false),
                             right};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        WriteFile(dir.file("photo.jpg"),
                  withOrientation(encoded(stored[orientation - 1], "JPG", 95), orientation));
        const ImageBuffer read = ReadImage(dir.file("photo.jpg"));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(64, 32));
        expectNear(PixelAt(read, 16, 8), Qt::red);
        expectNear(PixelAt(read, 48, 8), Qt::green);
        expectNear(PixelAt(read, 8, 24), Qt::blue);
        expectNear(PixelAt(read, 56, 24), Qt::blue);
    }
}

TEST_F(Decode, TransparencyIsComposedOntoBlack) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, QColor(255, 0, 0, 255));
    image.setPixelColor(1, 0, QColor(255, 100, 0, 128));
    image.setPixelColor(2, 0, QColor(0, 255, 0, 0));
    WriteFile(dir.file("alpha.png"), encoded(image, "PNG"));
    const ImageBuffer read = ReadImage(dir.file("alpha.png"));
    EXPECT_EQ(PixelAt(read, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(read, 1, 0), (Rgb{128, 50, 0}));
    EXPECT_EQ(PixelAt(read, 2, 0), (Rgb{0, 0, 0}));
}

// Qt's own limit (256 MB per picture) is raised to the pixel limit: 72 megapixels take 288 MB as
// Qt decodes them.
TEST_F(Decode, LargeLegalPicturesLoad) {
    QImage image(9000, 8000, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    WriteFile(dir.file("large.png"), encoded(image, "PNG", 0));
    image = QImage();
    const ImageBuffer read = ReadImage(dir.file("large.png"));
    ASSERT_EQ(QSize(read.width(), read.height()), QSize(9000, 8000));
    EXPECT_EQ(PixelAt(read, 8999, 7999), (Rgb{10, 20, 30}));
}

// What a user meets: files that are no picture, cut-off downloads (the JPEG decoder's own and one of
// Qt's), folders and named pipes (which must not wait for a writer).
TEST_F(Decode, BrokenFilesGiveAnErrorCode) {
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(QColor(200, 100, 50));
    const QByteArray jpeg = encoded(picture, "JPG"), png = encoded(picture, "PNG");
    const std::pair<const char*, QByteArray> files[] = {
        {"cut.jpg", jpeg.left(jpeg.size() / 2)},
        {"cut.png", png.left(png.size() / 2)},
        {"empty.jpg", {}},
        {"text.jpg", "this is not a picture\n"},
        {"svg.png", "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>"}};
    for (const auto& [name, bytes] : files) {
        WriteFile(dir.file(name), bytes);
        EXPECT_EQ(readError(dir.file(name)),
                  QByteArray(name).startsWith("cut") ? IS40_ERR_CORRUPT : IS40_ERR_FORMAT)
            << name;
    }
    ASSERT_EQ(::mkfifo(dir.file("fifo.jpg").toUtf8().constData(), 0600), 0);
    for (const QString& path : {dir.path(), dir.file("missing.jpg"), dir.file("fifo.jpg")})
        EXPECT_EQ(readError(path), IS40_ERR_OPEN) << path.toStdString();
}

// A plain C program without a Qt application object and without a display can decode pictures:
// the library sets up what Qt needs by itself.
TEST_F(Decode, PlainCHostNeedsNoQtApplication) {
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(QColor(12, 34, 56));
    WriteFile(dir.file("picture.png"), encoded(image, "PNG"));
    const QStringList env{"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};
    const ProcessResult r = RunProgram(VELOMIRA_C_HOST, {dir.file("picture.png")}, env);
    EXPECT_EQ(r.out, "3x2 12,34,56\n") << r.err.toStdString();
    EXPECT_EQ(RunProgram(VELOMIRA_C_HOST, {dir.file("missing.png")}, env).out, "error 2\n");
}

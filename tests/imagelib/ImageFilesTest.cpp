// Reading pictures written by Qt and ImageMagick, and Velomira.bmp read by Qt, through the wrappers
// the program uses.
#include "ImageTestSupport.h"

#include "VelomiraIS.h"

#include <QImage>
#include <QImageReader>
#include <QTransform>
#include <QtEndian>
#include <sys/stat.h>

class Decode : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    // Saves `image` as `name`, in the format its suffix names unless `format` is given.
    QString saved(const QImage& image, const QString& name, const char* format = nullptr) {
        image.save(dir.file(name), format, 95);
        return dir.file(name);
    }
    void convert(const QStringList& args) { ASSERT_EQ(RunProgram("/usr/bin/convert", args).exitCode, 0); }
    static void expectNear(const Rgb& got, const QColor& want) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(got[size_t(c)], RgbOf(want)[size_t(c)], 12) << "channel " << c;
    }
    TempDir dir;
};

// Every pixel differs, so a swapped channel, a misplaced row or a wrong BMP row padding (odd width)
// shows; the content decides the format, not the name; only an animation's first frame counts;
// transparency is composed onto black.
TEST_F(Decode, LosslessFormatsKeepEveryPixel) {
    QImage image(5, 3, QImage::Format_RGB888);
    for (int i = 0; i < 15; ++i)
        image.setPixelColor(i % 5, i / 5, QColor(i % 5 * 50, i / 5 * 100, 255 - i % 5 * 40));
    convert({saved(image, "frame1.png"), saved(image.mirrored(), "frame2.png"), dir.file("anim.gif")});
    for (const QString& path : {dir.file("frame1.png"), dir.file("anim.gif"), saved(image, "picture.tif"),
                                saved(image, "png-named.jpg", "PNG"), saved(image, "bmp-named.pcx", "BMP")}) {
        SCOPED_TRACE(path.toStdString());
        const ImageBuffer read = ReadImage(path);
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(5, 3));
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(PixelAt(read, i % 5, i / 5), RgbOf(image.pixelColor(i % 5, i / 5))) << "pixel " << i;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    image.setPixelColor(1, 0, QColor(255, 100, 0, 128));
    image.setPixelColor(2, 0, QColor(0, 255, 0, 0));
    const ImageBuffer read = ReadImage(saved(image, "alpha.png"));
    EXPECT_EQ(PixelAt(read, 1, 0), (Rgb{128, 50, 0}));
    EXPECT_EQ(PixelAt(read, 2, 0), (Rgb{0, 0, 0}));
}

// 16 x 16 blocks of one colour survive JPEG compression nearly unchanged.
TEST_F(Decode, JpegInColourGreyAndCmyk) {
    const QColor blocks[] = {Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black, QColor(200, 150, 50)};
    QImage image(48, 32, QImage::Format_RGB888);
    for (int i = 0; i < 48 * 32; ++i)
        image.setPixelColor(i % 48, i / 48, blocks[i / 48 / 16 * 3 + i % 48 / 16]);
    convert({saved(image, "colour.jpg"), "-colorspace", "CMYK", dir.file("cmyk.jpg")});
    saved(image.convertToFormat(QImage::Format_Grayscale8), "grey.jpg");
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
// to turn it back, in an EXIF block after the start marker: "Exif\0\0", a big-endian TIFF header
// and one directory with the single entry 0x0112 (SHORT). In every other photo an XMP block comes
// first. Decoded scaled down, the size asked for is the upright one.
TEST_F(Decode, ExifOrientationIsApplied) {
    QImage upright(64, 32, QImage::Format_RGB888);
    for (int i = 0; i < 64 * 32; ++i)
        upright.setPixelColor(i % 64, i / 64, i / 64 >= 16 ? Qt::blue : i % 64 < 32 ? Qt::red : Qt::green);
    const QImage left = upright.transformed(QTransform().rotate(-90)), right = left.mirrored(true, true);
    const auto m = [](const QImage& image, bool h, bool v) { return image.mirrored(h, v); };
    const QImage stored[] = {
        upright, m(upright, 1, 0), m(upright, 1, 1), m(upright, 0, 1), m(right, 1, 0), left, m(left, 1, 0),
        right};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QByteArray jpeg = ReadFile(saved(stored[orientation - 1], "photo.jpg"));
        const QByteArray exif = QByteArray("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                                char(orientation) + QByteArray(6, 0);
        const QByteArray xmp("\xFF\xE1\0\x2Bhttp://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 45);
        WriteFile(dir.file("photo.jpg"), jpeg.left(2) + (orientation % 2 ? QByteArray() : xmp) + "\xFF\xE1" +
                                             char(0) + char(exif.size() + 2) + exif + jpeg.mid(2));
        const ImageBuffer read = ReadImage(dir.file("photo.jpg"));
        ASSERT_EQ(QSize(read.width(), read.height()), QSize(64, 32));
        expectNear(PixelAt(read, 16, 8), Qt::red);
        expectNear(PixelAt(read, 8, 24), Qt::blue);
        // Asked for at least 23 x 11 as shown: libjpeg's 3/8, the smallest eighth that gives as much
        // (its sizes rounded up), is 24 x 12; read scaled, the size comes from the upright full size.
        const IS40_SOURCE source = IS40_OpenFileSource(dir.file("photo.jpg").toUtf8().constData());
        int32_t width = 0, height = 0;
        uint8_t* pixels = IS40_ReadImage(source, &width, &height, 23, 11);
        const ImageBuffer eighths(pixels, width, height);
        IS40_CloseSource(source);
        const ImageBuffer scaled = ReadImage(dir.file("photo.jpg"), [](QSize full) {
            EXPECT_EQ(full, QSize(64, 32));
            return ReadScaling{QSize(23, 11), QRect(0, 0, 23, 11)};
        });
        ASSERT_EQ(QSize(eighths.width(), eighths.height()), QSize(24, 12));
        ASSERT_EQ(QSize(scaled.width(), scaled.height()), QSize(23, 11));
        for (const ImageBuffer* picture : {&eighths, &scaled}) {
            expectNear(PixelAt(*picture, 6, 3), Qt::red);
            expectNear(PixelAt(*picture, 3, 9), Qt::blue);
        }
    }
}

// A photo large enough to be decoded on two threads, and resampled in bands as it is decoded. In
// full and at half size it is what ImageMagick's decoder makes of it, byte for byte. Read scaled
// (the upper part of a fill, the middle, the whole), each of its forms, the baseline one decoded in
// bands, the progressive one and a PNG decoded whole, gives the pixels of the decoded and then
// resampled picture.
TEST_F(Decode, LargePhotoAsImageMagickDecodesItAndScaledAsItIsRead) {
    convert({"-size", "1600x1200", "plasma:fractal", "-seed", "3", "-quality", "92", dir.file("photo.jpg")});
    convert({dir.file("photo.jpg"), "-interlace", "JPEG", dir.file("progressive.jpg")});
    convert({dir.file("photo.jpg"), dir.file("full.png")});
    convert({"-define", "jpeg:size=800x600", dir.file("photo.jpg"), dir.file("half.png")});
    const auto decoded = [&](int32_t minWidth, int32_t minHeight, const QString& path) {
        const IS40_SOURCE source = IS40_OpenFileSource(path.toUtf8().constData());
        int32_t width = 0, height = 0;
        uint8_t* pixels = IS40_ReadImage(source, &width, &height, minWidth, minHeight);
        ImageBuffer image(pixels, width, height);
        IS40_CloseSource(source);
        return image;
    };
    for (const auto& [size, reference] : {std::pair(0, "full.png"), std::pair(800, "half.png")})
        EXPECT_TRUE(std::ranges::equal(decoded(size, size * 3 / 4, dir.file("photo.jpg")).bytes(),
                                       ReadImage(dir.file(reference)).bytes()))
            << reference;

    // 1100 x 650 is made from libjpeg's 6/8, 1200 x 900.
    const QSize size(1100, 650);
    for (const char* name : {"photo.jpg", "progressive.jpg", "full.png"})
        for (const QRect part : {QRect(0, 0, 1100, 400), QRect(50, 100, 1000, 450), QRect(QPoint(), size)}) {
            SCOPED_TRACE(testing::Message() << name << " " << part.y() << "+" << part.height());
            const ImageBuffer whole = decoded(size.width(), size.height(), dir.file(name));
            const ImageBuffer read = ReadImage(dir.file(name), [&](QSize) {
                return ReadScaling{size, part};
            });
            EXPECT_TRUE(std::ranges::equal(read.bytes(),
                                           ResizeImage(whole, size.width(), size.height(), part).bytes()));
        }
}

// What a user meets: cut-off downloads (for the JPEG decoder's own and one of Qt's), files that are
// no picture, folders and named pipes (which must not wait for a writer).
TEST_F(Decode, BrokenFilesGiveAnErrorCode) {
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(QColor(200, 100, 50));
    for (const char* name : {"cut.jpg", "cut.png"}) {
        const QByteArray whole = ReadFile(saved(picture, name));
        WriteFile(dir.file(name), whole.left(whole.size() / 2));
        EXPECT_EQ(ReadError(dir.file(name)), IS40_ERR_CORRUPT) << name;
    }
    WriteFile(dir.file("empty.jpg"), {});
    WriteFile(dir.file("text.jpg"), "this is not a picture\n");
    WriteFile(dir.file("svg.png"), "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>");
    for (const char* name : {"empty.jpg", "text.jpg", "svg.png"})
        EXPECT_EQ(ReadError(dir.file(name)), IS40_ERR_FORMAT) << name;
    ASSERT_EQ(::mkfifo(dir.file("fifo.jpg").toUtf8().constData(), 0600), 0);
    for (const QString& path : {dir.path(), dir.file("missing.jpg"), dir.file("fifo.jpg")})
        EXPECT_EQ(ReadError(path), IS40_ERR_OPEN) << path.toStdString();
}

// Every width modulo 4 needs a different row padding; the header gives the sizes and 96 dpi.
TEST_F(Decode, QtReadsBackEveryPixelOfTheWrittenBmp) {
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

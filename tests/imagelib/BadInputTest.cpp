#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageFiles.h"

#include "VelomiraIS.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The error of reading `path`: IS40_ERR_NONE when a picture came back.
int32_t readError(const QString& path) {
    const IS40_SOURCE source = IS40_OpenFileSource(path.toUtf8().constData());
    if (source == 0) return IS40_GetLastError();
    int32_t width = 0, height = 0;
    uint8_t* pixels = IS40_ReadImage(source, &width, &height, 0, 0);
    const ImageBuffer image(pixels, width, height);
    const int32_t error = IS40_GetLastError();
    IS40_CloseSource(source);
    return image.empty() ? error : IS40_ERR_NONE;
}

uint32_t crc32(const QByteArray& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= uint8_t(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

void putBigEndian(QByteArray& bytes, qsizetype at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * (size - 1 - i)));
}

void putLittleEndian(QByteArray& bytes, qsizetype at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// The size fields of each format's header, changed to width x height (the pixel data stays small).
QByteArray pngSized(uint32_t width, uint32_t height) {
    QByteArray png = Encoded(QImage(4, 4, QImage::Format_RGB888), "PNG");
    putBigEndian(png, 16, width, 4);
    putBigEndian(png, 20, height, 4);
    putBigEndian(png, 29, crc32(png.mid(12, 17)), 4); // IHDR's checksum covers type and data
    return png;
}

QByteArray bmpSized(int32_t width, int32_t height) {
    QByteArray bmp = Encoded(QImage(4, 4, QImage::Format_RGB888), "BMP");
    putLittleEndian(bmp, 18, uint32_t(width), 4);
    putLittleEndian(bmp, 22, uint32_t(height), 4);
    return bmp;
}

QByteArray jpegSized(uint16_t width, uint16_t height) {
    QByteArray jpeg = Encoded(QImage(16, 16, QImage::Format_RGB888), "JPG");
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    putBigEndian(jpeg, sof + 5, height, 2);
    putBigEndian(jpeg, sof + 7, width, 2);
    return jpeg;
}

QByteArray pcxSized(int width, int height) {
    PcxFile pcx{8, 3, 1, 1, 2, std::vector<uint8_t>(6, 9), {}, {}, false};
    QByteArray bytes = EncodePcx(pcx);
    putLittleEndian(bytes, 8, uint32_t(width - 1), 2);
    putLittleEndian(bytes, 10, uint32_t(height - 1), 2);
    putLittleEndian(bytes, 66, uint32_t((width + 1) & ~1), 2);
    return bytes;
}

QImage photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor((x * 7) & 255, (y * 3) & 255, (x * y) & 255));
    return image;
}

} // namespace

class BadInput : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

TEST_F(BadInput, RefusedWithAnErrorCode) {
    const QImage picture = photo(40, 30);
    const QByteArray jpeg = Encoded(picture, "JPG");
    const QByteArray png = Encoded(picture, "PNG");
    const QByteArray gif = EncodeGif(photo(12, 12), photo(12, 12));
    const QByteArray tiff = Encoded(picture, "TIFF");
    const QByteArray bmp = Encoded(picture, "BMP");
    const QByteArray pcx = EncodePcx({8, 3, 40, 30, 40, std::vector<uint8_t>(40 * 3 * 30, 77), {}, {}, true});
    QByteArray corruptJpeg = jpeg;
    for (qsizetype i = jpeg.size() / 2; i < jpeg.size() - 2; ++i)
        corruptJpeg[i] = char(0xFF);
    QByteArray pcxTwoPlanes = pcx;
    pcxTwoPlanes[65] = 2;
    QByteArray pcxShortLines = pcx;
    pcxShortLines[66] = 10;
    QByteArray pcxInverted = pcx;
    pcxInverted[4] = 50; // left edge beyond the right edge

    const struct {
        const char* name;
        QByteArray bytes;
        int32_t error;
    } cases[] = {
        {"empty.jpg", {}, IS40_ERR_FORMAT},
        {"text.jpg", "this is not a picture\n", IS40_ERR_FORMAT},
        {"svg.png", "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>", IS40_ERR_FORMAT},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2), IS40_ERR_CORRUPT},
        {"corrupt.jpg", corruptJpeg, IS40_ERR_CORRUPT},
        {"header-only.jpg", jpeg.left(200), IS40_ERR_CORRUPT},
        {"truncated.png", png.left(png.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.gif", gif.left(gif.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.tif", tiff.left(tiff.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.bmp", bmp.left(bmp.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.pcx", pcx.left(pcx.size() / 2), IS40_ERR_CORRUPT},
        {"two-planes.pcx", pcxTwoPlanes, IS40_ERR_UNSUPPORTED},
        {"short-lines.pcx", pcxShortLines, IS40_ERR_CORRUPT},
        {"inverted.pcx", pcxInverted, IS40_ERR_CORRUPT},
        // Over the pixel limit: refused from the header, whatever follows.
        {"huge.png", pngSized(20000, 15001), IS40_ERR_TOO_LARGE},
        {"huge.bmp", bmpSized(20000, 15001), IS40_ERR_TOO_LARGE},
        {"huge.jpg", jpegSized(65000, 65000), IS40_ERR_TOO_LARGE},
        {"huge.pcx", pcxSized(65536, 65536), IS40_ERR_TOO_LARGE},
        // Under the limit, but the data is missing.
        {"big-and-short.pcx", pcxSized(20000, 15000), IS40_ERR_CORRUPT},
        {"big-and-short.jpg", jpegSized(20000, 15000), IS40_ERR_CORRUPT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.file(c.name), c.bytes);
        EXPECT_EQ(readError(dir.file(c.name)), c.error);
    }
}

TEST_F(BadInput, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(::mkfifo(dir.file("fifo").toUtf8().constData(), 0600), 0);
    for (const QString& path : {dir.path(), dir.file("missing.jpg"), dir.file("fifo")}) {
        EXPECT_EQ(IS40_OpenFileSource(path.toUtf8().constData()), 0u) << path.toStdString();
        EXPECT_EQ(IS40_GetLastError(), IS40_ERR_OPEN);
    }
}

// Qt's own limit (256 MB per picture) is raised to what the pixel limit allows: 72 megapixels
// take 288 MB as Qt decodes them.
TEST_F(BadInput, LargeLegalPicturesLoad) {
    QImage image(9000, 8000, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    WriteFile(dir.file("large.png"), Encoded(image, "PNG", 0));
    image = QImage();
    const ImageBuffer read = ReadImage(dir.file("large.png"));
    ASSERT_EQ(read.width(), 9000);
    ASSERT_EQ(read.height(), 8000);
    EXPECT_EQ(PixelAt(read, 8999, 7999), (Rgb{10, 20, 30}));
}

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

// `bytes` with `value` written at `at` over `size` bytes, little- or big-endian.
QByteArray patched(QByteArray bytes, qsizetype at, uint32_t value, int size, bool bigEndian = false) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * (bigEndian ? size - 1 - i : i)));
    return bytes;
}

} // namespace

class BadInput : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

TEST_F(BadInput, RefusedWithAnErrorCode) {
    QImage picture(40, 30, QImage::Format_RGB888);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixelColor(x, y, QColor(x * 6, y * 8, x * y % 256));
    WriteFile(dir.file("in.png"), Encoded(picture, "PNG"));
    RunProgram("/usr/bin/convert", {dir.file("in.png"), dir.file("in.gif")});
    const QByteArray gif = ReadFile(dir.file("in.gif"));
    const QByteArray jpeg = Encoded(picture, "JPG"), png = Encoded(picture, "PNG");
    const QByteArray tiff = Encoded(picture, "TIFF"), bmp = Encoded(picture, "BMP");
    const QByteArray pcx = EncodePcx({8, 3, 40, 30, 40, std::vector<uint8_t>(40 * 3 * 30, 77), {}, {}, true});
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    const struct {
        const char* name;
        QByteArray bytes;
        int32_t error;
    } cases[] = {
        {"empty.jpg", {}, IS40_ERR_FORMAT},
        {"text.jpg", "this is not a picture\n", IS40_ERR_FORMAT},
        {"svg.png", "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>", IS40_ERR_FORMAT},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2), IS40_ERR_CORRUPT},
        {"corrupt.jpg", jpeg.left(jpeg.size() / 2) + QByteArray(jpeg.size() / 2, char(0xFF)),
         IS40_ERR_CORRUPT},
        {"truncated.png", png.left(png.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.gif", gif.left(gif.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.tif", tiff.left(tiff.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.bmp", bmp.left(bmp.size() / 2), IS40_ERR_CORRUPT},
        {"truncated.pcx", pcx.left(pcx.size() / 2), IS40_ERR_CORRUPT},
        {"two-planes.pcx", patched(pcx, 65, 2, 1), IS40_ERR_UNSUPPORTED},
        {"short-lines.pcx", patched(pcx, 66, 10, 2), IS40_ERR_CORRUPT},
        {"inverted.pcx", patched(pcx, 4, 50, 2), IS40_ERR_CORRUPT}, // left edge beyond the right edge
        // Over the pixel limit: refused from the header, whatever follows.
        {"huge.bmp", patched(patched(bmp, 18, 20000, 4), 22, 15001, 4), IS40_ERR_TOO_LARGE},
        {"huge.jpg", patched(patched(jpeg, sof + 5, 65000, 2, true), sof + 7, 65000, 2, true),
         IS40_ERR_TOO_LARGE},
        {"huge.pcx", patched(patched(pcx, 8, 65535, 2), 10, 65535, 2), IS40_ERR_TOO_LARGE},
        // Under the limit, with the data missing.
        {"big-and-short.jpg", patched(jpeg, sof + 5, 15000, 2, true), IS40_ERR_CORRUPT},
        {"big-and-short.pcx", patched(patched(pcx, 10, 14999, 2), 66, 20000, 2), IS40_ERR_CORRUPT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.file(c.name), c.bytes);
        EXPECT_EQ(readError(dir.file(c.name)), c.error);
    }
}

TEST_F(BadInput, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(::mkfifo(dir.file("fifo").toUtf8().constData(), 0600), 0); // must not wait for a writer
    for (const QString& path : {dir.path(), dir.file("missing.jpg"), dir.file("fifo")}) {
        EXPECT_EQ(IS40_OpenFileSource(path.toUtf8().constData()), 0u) << path.toStdString();
        EXPECT_EQ(IS40_GetLastError(), IS40_ERR_OPEN);
    }
}

// Qt's own limit (256 MB per picture) is raised to the pixel limit: 72 megapixels take 288 MB as
// Qt decodes them.
TEST_F(BadInput, LargeLegalPicturesLoad) {
    QImage image(9000, 8000, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    WriteFile(dir.file("large.png"), Encoded(image, "PNG", 0));
    image = QImage();
    const ImageBuffer read = ReadImage(dir.file("large.png"));
    ASSERT_EQ(QSize(read.width(), read.height()), QSize(9000, 8000));
    EXPECT_EQ(PixelAt(read, 8999, 7999), (Rgb{10, 20, 30}));
}

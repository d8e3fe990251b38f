#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"

#include <QDir>
#include <QImageReader>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

ImageBuffer pattern(int32_t width, int32_t height) {
    ImageBuffer image = ImageBuffer::Allocate(width, height);
    for (size_t i = 0; i < image.size(); ++i)
        image.data()[i] = uint8_t(i * 37 + i / 7);
    return image;
}

uint32_t le32(const QByteArray& bytes, int at) {
    return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8 | uint8_t(bytes[at + 2]) << 16 |
           uint32_t(uint8_t(bytes[at + 3])) << 24;
}

} // namespace

class BmpWriter : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

// Every width modulo 4 needs a different row padding.
TEST_F(BmpWriter, QtReadsBackEveryPixel) {
    for (const int width : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(width);
        const ImageBuffer image = pattern(width, 3);
        WriteImage(dir.file("out.bmp"), image);
        QImageReader reader(dir.file("out.bmp"));
        EXPECT_EQ(reader.format(), "bmp");
        const QImage read = reader.read().convertToFormat(QImage::Format_RGB888);
        ASSERT_EQ(read.size(), QSize(width, 3));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const QColor c = read.pixelColor(x, y);
                EXPECT_EQ((Rgb{c.red(), c.green(), c.blue()}), PixelAt(image, x, y)) << x << "," << y;
            }
    }
}

TEST_F(BmpWriter, HeaderAndRowLayout) {
    ImageBuffer image = Filled(5, 3, {0, 0, 0});
    image.data()[2 * 15] = 10, image.data()[2 * 15 + 1] = 20, image.data()[2 * 15 + 2] = 30; // bottom-left
    WriteImage(dir.file("out.bmp"), image);
    const QByteArray bmp = ReadFile(dir.file("out.bmp"));
    const int rowBytes = 16; // 15 bytes of pixels, padded to a multiple of 4
    ASSERT_EQ(bmp.size(), 54 + 3 * rowBytes);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(le32(bmp, 2), uint32_t(bmp.size()));
    EXPECT_EQ(le32(bmp, 10), 54u);           // pixel data offset
    EXPECT_EQ(le32(bmp, 14), 40u);           // BITMAPINFOHEADER
    EXPECT_EQ(le32(bmp, 18), 5u);            // width
    EXPECT_EQ(le32(bmp, 22), 3u);            // height > 0: bottom-up
    EXPECT_EQ(le32(bmp, 26), 24u << 16 | 1); // one plane, 24 bits
    EXPECT_EQ(le32(bmp, 30), 0u);            // uncompressed
    EXPECT_EQ(le32(bmp, 34), uint32_t(3 * rowBytes));
    EXPECT_EQ(le32(bmp, 38), 3780u); // 96 dpi
    EXPECT_EQ(le32(bmp, 42), 3780u);
    EXPECT_EQ(bmp.mid(54, 3), QByteArray("\x1E\x14\x0A")); // first stored row is the bottom one, BGR
}

// The old file survives a folder that became read-only and a write that fails half-way (file
// size limit), and no temporary file is left behind.
TEST_F(BmpWriter, FailedWritesLeaveTheOldFileIntact) {
    const int result = RunUnprivileged([] {
        char folder[] = "/tmp/velomira-bmp-XXXXXX";
        if (!::mkdtemp(folder)) return 10;
        const QString path = QString(folder) + "/Velomira.bmp";
        WriteImage(path, pattern(100, 100));
        const QByteArray before = ReadFile(path);

        QString readOnlyStep, tooLargeStep;
        ::chmod(folder, 0555);
        try {
            WriteImage(path, pattern(50, 50));
        } catch (const ImageError& e) {
            readOnlyStep = e.description();
        }
        ::chmod(folder, 0755);

        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{20000, 20000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteImage(path, pattern(200, 200));
        } catch (const ImageError& e) {
            tooLargeStep = e.description();
        }

        const bool intact = ReadFile(path) == before && QDir(folder).entryList(QDir::Files).size() == 1;
        QDir(folder).removeRecursively();
        if (readOnlyStep != "IS_OpenFileDest") return 1;
        if (tooLargeStep != "IS_WriteBMP") return 2;
        return intact ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
}

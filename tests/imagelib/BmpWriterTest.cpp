#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"

#include <QDir>
#include <QImageReader>
#include <QtEndian>
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

// The step a failing WriteImage names, or "" when it succeeds.
QString failingStep(const QString& path, const ImageBuffer& image) {
    try {
        WriteImage(path, image);
        return {};
    } catch (const ImageError& e) {
        return e.description();
    }
}

} // namespace

class BmpWriter : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

// Every width modulo 4 needs a different row padding; the header gives the sizes and 96 dpi.
TEST_F(BmpWriter, QtReadsBackEveryPixel) {
    for (const int width : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(width);
        const ImageBuffer image = pattern(width, 3);
        WriteImage(dir.file("out.bmp"), image);
        const QByteArray bmp = ReadFile(dir.file("out.bmp"));
        const auto u32 = [&](int at) { return qFromLittleEndian<uint32_t>(bmp.constData() + at); };
        const uint32_t rowBytes = (uint32_t(width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), 54 + 3 * rowBytes);
        EXPECT_EQ(u32(2), uint32_t(bmp.size()));
        EXPECT_EQ(u32(34), 3 * rowBytes);
        EXPECT_EQ(u32(38), 3780u);
        QImageReader reader(dir.file("out.bmp"));
        EXPECT_EQ(reader.format(), "bmp");
        const QImage read = reader.read();
        ASSERT_EQ(read.size(), QSize(width, 3));
        for (int i = 0; i < width * 3; ++i) {
            const QColor c = read.pixelColor(i % width, i / width);
            EXPECT_EQ((Rgb{c.red(), c.green(), c.blue()}), PixelAt(image, i % width, i / width))
                << "pixel " << i;
        }
    }
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

        ::chmod(folder, 0555);
        const QString readOnly = failingStep(path, pattern(50, 50));
        ::chmod(folder, 0755);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{20000, 20000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const QString tooLarge = failingStep(path, pattern(200, 200));

        const bool intact = ReadFile(path) == before && QDir(folder).entryList(QDir::Files).size() == 1;
        QDir(folder).removeRecursively();
        return readOnly != "IS_OpenFileDest" ? 1 : tooLarge != "IS_WriteBMP" ? 2 : intact ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
}

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

TEST(Wrappers, FailuresNameTheLibraryStep) {
    LoadImageLibrary();
    TempDir dir;
    WriteFile(dir.file("text.jpg"), "not a picture");
    WriteFile(
        dir.file("huge.pcx"),
        EncodePcx({8, 3, 1, 1, 2, std::vector<uint8_t>(6, 1), {}, {}}).replace(8, 4, "\xFF\xFF\xFF\xFF"));
    const ImageBuffer picture = Filled(3, 2, {1, 2, 3});
    const struct {
        std::function<void()> call;
        int number;
        const char* source;
        const char* description;
    } cases[] = {
        {[&] { ReadImage(dir.file("missing.jpg")); }, 1002, "ReadImage", "IS_OpenFileSource"},
        {[&] { ReadImage(dir.file("text.jpg")); }, 1004, "ReadImage", "IS_ReadImage"},
        {[&] { ReadImage(dir.file("huge.pcx")); }, 1006, "ReadImage", "IS_ReadImage"},
        {[&] { WriteImage(dir.file("missing/Velomira.bmp"), picture); }, 1002, "WriteImage",
         "IS_OpenFileDest"},
        {[&] { WriteImage(dir.file("Velomira.bmp"), ImageBuffer()); }, 1001, "WriteImage", "IS_WriteBMP"},
        {[&] { ResizeImage(picture, 0, 5); }, 1001, "ResizeImage", "IS_ResizeImage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        try {
            c.call();
            ADD_FAILURE() << "no error raised";
        } catch (const ImageError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.source(), c.source);
            EXPECT_EQ(e.description(), c.description);
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"huge.pcx", "text.jpg"})); // no leftovers
}

TEST(Wrappers, ResizeGivesANewBlockOfTheNewSize) {
    LoadImageLibrary();
    const ImageBuffer picture = Filled(6, 4, {40, 50, 60});
    const ImageBuffer same = ResizeImage(picture, 6, 4);
    EXPECT_NE(same.data(), picture.data());
    EXPECT_TRUE(std::ranges::equal(same.bytes(), picture.bytes()));
    const ImageBuffer smaller = ResizeImage(picture, 3, 1);
    ASSERT_EQ(QSize(smaller.width(), smaller.height()), QSize(3, 1));
    EXPECT_EQ(PixelAt(smaller, 2, 0), (Rgb{40, 50, 60}));
}

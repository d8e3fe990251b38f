#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"

#include <functional>
#include <gtest/gtest.h>

class Wrappers : public ::testing::Test {
protected:
    void SetUp() override { LoadImageLibrary(); }
    TempDir dir;
};

TEST_F(Wrappers, FailuresNameTheLibraryStep) {
    WriteFile(dir.file("text.jpg"), "not a picture");
    WriteFile(dir.file("huge.pcx"), EncodePcx({8, 3, 1, 1, 2, std::vector<uint8_t>(6, 1), {}, {}, false})
                                        .replace(8, 4, QByteArray("\xFF\xFF\xFF\xFF", 4)));
    const ImageBuffer picture = Filled(3, 2, {1, 2, 3});
    const struct {
        const char* name;
        std::function<void()> call;
        int number;
        const char* source;
        const char* description;
    } cases[] = {
        {"missing file", [&] { ReadImage(dir.file("missing.jpg")); }, 1002, "ReadImage", "IS_OpenFileSource"},
        {"not a picture", [&] { ReadImage(dir.file("text.jpg")); }, 1004, "ReadImage", "IS_ReadImage"},
        {"too large", [&] { ReadImage(dir.file("huge.pcx")); }, 1006, "ReadImage", "IS_ReadImage"},
        {"no folder", [&] { WriteImage(dir.file("missing/Velomira.bmp"), picture); }, 1002, "WriteImage",
         "IS_OpenFileDest"},
        {"nothing to write", [&] { WriteImage(dir.file("Velomira.bmp"), ImageBuffer()); }, 1001, "WriteImage",
         "IS_WriteBMP"},
        {"no size", [&] { ResizeImage(picture, 0, 5); }, 1001, "ResizeImage", "IS_ResizeImage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "no error raised";
        } catch (const ImageError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.source(), c.source);
            EXPECT_EQ(e.description(), c.description);
        }
    }
    EXPECT_FALSE(QFile::exists(dir.file("Velomira.bmp")));
}

TEST_F(Wrappers, WrittenPicturesReadBackUnchanged) {
    ImageBuffer picture = ImageBuffer::Allocate(7, 5);
    for (size_t i = 0; i < picture.size(); ++i)
        picture.data()[i] = uint8_t(i * 11);
    WriteImage(dir.file("Velomira.bmp"), picture);
    const ImageBuffer read = ReadImage(dir.file("Velomira.bmp"));
    ASSERT_EQ(read.width(), 7);
    ASSERT_EQ(read.height(), 5);
    EXPECT_TRUE(std::equal(read.bytes().begin(), read.bytes().end(), picture.bytes().begin()));
}

TEST_F(Wrappers, ResizeGivesANewBlockOfTheNewSize) {
    const ImageBuffer picture = Filled(6, 4, {40, 50, 60});
    const ImageBuffer same = ResizeImage(picture, 6, 4);
    EXPECT_NE(same.data(), picture.data());
    EXPECT_TRUE(std::equal(same.bytes().begin(), same.bytes().end(), picture.bytes().begin()));
    const ImageBuffer smaller = ResizeImage(picture, 3, 1);
    EXPECT_EQ(smaller.width(), 3);
    EXPECT_EQ(smaller.height(), 1);
    EXPECT_EQ(PixelAt(smaller, 2, 0), (Rgb{40, 50, 60}));
}

// The whole composition with the real image libraries, on picture files the tests write.
#include "compose/ComposeWallpaper.h"
#include "compose/ErrInfo.h"
#include "compose/FitPlan.h"
#include "imagelib/ImageLibrary.h"

#include "TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Compose : ::testing::Test {
    TempDir tmp;
    ProgramState program;
    PictureList pictures;
    QStringList errors;
    ScopedEnv desktop{"XDG_CURRENT_DESKTOP", ""}; // no desktop to set the wallpaper on
    ScopedEnv display{"DISPLAY", ""};
    ScopedEnv wayland{"WAYLAND_DISPLAY", ""};

    Compose() : program{SettingsStore(TempDirFile("Velomira.ini"))} {}
    QString TempDirFile(const QString& name) const { return tmp.file(name); }

    void SetUp() override {
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
        program.settings.misc.bmpverzeichnis = tmp.path();
        program.ScreenWidth = 64;
        program.ScreenHeight = 48;
        SetErrInfoHandler([this](const QString& text) { errors << text; });
    }
    void TearDown() override { SetErrInfoHandler({}); }

    // A picture file of one colour with a differently coloured 2x2 block at its top-left corner.
    QString addPicture(const QString& name, QSize size, QColor colour, QColor corner = Qt::transparent) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(colour);
        if (corner.isValid() && corner.alpha() > 0)
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x)
                    image.setPixelColor(x, y, corner);
        const QString path = tmp.file(name);
        image.save(path, "PNG");
        pictures.push_back({path, {}});
        return path;
    }
    // Composes and reports the messages shown if it fails.
    ::testing::AssertionResult compose() {
        errors.clear();
        if (ComposeWallpaper(program, pictures)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "failed: " << errors.join(", ").toStdString();
    }
    QImage wallpaper() const {
        return QImage(tmp.file("Velomira.bmp")).convertToFormat(QImage::Format_RGB888);
    }
};

} // namespace

TEST_F(Compose, FitModesOnTheScreen) {
    struct Case {
        const char* what;
        int mode, width, height;
        QSize picture;
        QPoint inside, outside; // a pixel of the picture, one of the background (or -1,-1: none)
    };
    const Case cases[] = {
        {"shrink-only keeps a small picture centred", kShrinkOnly, 1, 1, {20, 10}, {32, 24}, {2, 2}},
        {"shrink-only shrinks a large picture to fit", kShrinkOnly, 1, 1, {128, 48}, {32, 24}, {32, 2}},
        {"fit enlarges until a side meets", kFit, 1, 1, {16, 16}, {32, 24}, {2, 24}},
        {"fill covers the screen", kFill, 1, 1, {10, 40}, {0, 0}, {-1, -1}},
        {"stretch width keeps the height", kStretch, 1, 0, {20, 10}, {0, 24}, {32, 2}},
        {"seam carving covers the screen", kSeamCarve, 1, 1, {48, 36}, {0, 0}, {-1, -1}},
        {"seam carving widens a portrait at most twice", kSeamCarve, 1, 1, {10, 48}, {32, 24}, {2, 24}},
    };
    program.settings.misc.passende_farbe = 0;
    program.settings.misc.hgfarbe = 0x0000ff; // red as COLORREF
    for (const Case& c : cases) {
        pictures.clear();
        addPicture("p.png", c.picture, Qt::blue);
        program.settings.misc.magnify = c.mode;
        program.settings.misc.width = c.width;
        program.settings.misc.height = c.height;
        program.CurrentIndex = 0;
        ASSERT_TRUE(compose()) << c.what;
        const QImage out = wallpaper();
        ASSERT_EQ(out.size(), QSize(64, 48)) << c.what;
        EXPECT_EQ(out.pixelColor(c.inside), QColor(Qt::blue)) << c.what;
        if (c.outside.x() >= 0) {
            EXPECT_EQ(out.pixelColor(c.outside), QColor(Qt::red)) << c.what;
        }
    }
}

TEST_F(Compose, ExactScreenSizeIsUsedAsItIs) {
    addPicture("exact.png", {64, 48}, QColor(10, 20, 30), QColor(250, 0, 250));
    for (int mode = 0; mode <= 4; ++mode) {
        program.settings.misc.magnify = mode;
        program.CurrentIndex = 0;
        ASSERT_TRUE(compose());
        const QImage out = wallpaper();
        EXPECT_EQ(out.pixelColor(0, 0), QColor(250, 0, 250)) << mode;
        EXPECT_EQ(out.pixelColor(2, 2), QColor(10, 20, 30)) << mode;
    }
}

TEST_F(Compose, MatchingBackgroundColour) {
    addPicture("red.png", {20, 10}, Qt::red);
    program.settings.misc.passende_farbe = 1;
    program.settings.misc.hgfarbe = 0xff0000; // blue, not to be used
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaper().pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(Compose, IndexAdvancesAndWraps) {
    addPicture("a.png", {64, 48}, Qt::red);
    addPicture("b.png", {64, 48}, Qt::green);
    addPicture("c.png", {64, 48}, Qt::blue);
    const QColor expected[] = {Qt::red, Qt::green, Qt::blue, Qt::red};
    program.CurrentIndex = 0;
    for (const QColor& colour : expected) {
        ASSERT_TRUE(compose());
        EXPECT_EQ(wallpaper().pixelColor(5, 5), colour);
    }
    program.CurrentIndex = 17; // left over from a longer list
    ASSERT_TRUE(compose());
    EXPECT_EQ(program.CurrentIndex, 1);
    EXPECT_EQ(program.store.ReadSetting("misc", "bildname", ""), "a");
    EXPECT_EQ(program.store.ReadSetting("misc", "letztes_bild", ""), "1");
}

TEST_F(Compose, UnreadablePictureKeepsTheOldWallpaperAndMovesOn) {
    addPicture("good.png", {64, 48}, Qt::green);
    WriteFile(tmp.file("broken.jpg"), "\xff\xd8\xff\xe0 not really a picture");
    pictures.push_back({tmp.file("broken.jpg"), {}});
    pictures.push_back({tmp.file("gone.png"), {}});
    addPicture("last.png", {64, 48}, Qt::blue);

    ASSERT_TRUE(compose());
    const QByteArray before = ReadFile(tmp.file("Velomira.bmp"));
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_EQ(errors, QStringList({"IS_ReadImage", "IS_OpenFileSource"}));
    EXPECT_EQ(ReadFile(tmp.file("Velomira.bmp")), before);
    EXPECT_EQ(program.CurrentIndex, 3);
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaper().pixelColor(5, 5), QColor(Qt::blue));
}

TEST_F(Compose, NoPicturesGiveAPlainCanvas) {
    program.settings.misc.hgfarbe = 0x00ff00;
    program.settings.misc.bildname = "alt";
    ASSERT_TRUE(compose());
    const QImage out = wallpaper();
    EXPECT_EQ(out.size(), QSize(64, 48));
    EXPECT_EQ(out.pixelColor(63, 47), QColor(Qt::green));
    EXPECT_EQ(program.settings.misc.bildname, "");
}

TEST_F(Compose, NothingHappensDuringStartup) {
    addPicture("a.png", {64, 48}, Qt::red);
    program.StartupInProgress = true;
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_EQ(program.CurrentIndex, 0);
    EXPECT_FALSE(QFile::exists(tmp.file("Velomira.bmp")));
}

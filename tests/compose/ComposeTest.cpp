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
    ProgramState program{SettingsStore(tmp.file("Velomira.ini"))};
    PictureList pictures;
    QStringList errors; // the messages shown
    ScopedEnv desktop{"XDG_CURRENT_DESKTOP", ""}, display{"DISPLAY", ""}, wayland{"WAYLAND_DISPLAY", ""};

    void SetUp() override {
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
        program.settings.misc.bmpverzeichnis = tmp.path();
        program.ScreenWidth = 64;
        program.ScreenHeight = 48;
        SetErrInfoHandler([this](const QString& text) { errors << text; });
    }
    void TearDown() override { SetErrInfoHandler({}); }

    void addPicture(const QString& name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(colour);
        image.save(tmp.file(name), "PNG");
        pictures.push_back({tmp.file(name), {}});
    }
    ::testing::AssertionResult compose() {
        errors.clear();
        return ComposeWallpaper(program, pictures)
                   ? ::testing::AssertionSuccess()
                   : ::testing::AssertionFailure() << errors.join(", ").toStdString();
    }
    QColor wallpaperAt(QPoint at) const { return QImage(tmp.file("Velomira.bmp")).pixelColor(at); }
};

} // namespace

// A blue picture on a red background; `outside` is a background pixel (or -1,-1: none).
TEST_F(Compose, FitModesOnTheScreen) {
    const struct {
        int mode, width, height;
        QSize picture;
        QPoint inside, outside;
    } cases[] = {
        {kShrinkOnly, 1, 1, {20, 10}, {32, 24}, {2, 2}}, // a small picture stays centred
        {kFit, 1, 1, {16, 16}, {32, 24}, {2, 24}},        {kFill, 1, 1, {10, 40}, {0, 0}, {-1, -1}},
        {kStretch, 1, 0, {20, 10}, {0, 24}, {32, 2}},     // the width only
        {kSeamCarve, 1, 1, {10, 48}, {32, 24}, {2, 24}},  // a portrait is widened at most twice
        {kSeamCarve, 1, 1, {400, 1}, {63, 47}, {-1, -1}}, // a strip is carved from four screens' width
    };
    program.settings.misc.passende_farbe = 0;
    program.settings.misc.hgfarbe = 0x0000ff; // red as COLORREF
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.picture.width() << " wide");
        pictures.clear();
        addPicture("p.png", c.picture, Qt::blue);
        program.CurrentIndex = 0;
        program.settings.misc.magnify = c.mode;
        program.settings.misc.width = c.width;
        program.settings.misc.height = c.height;
        ASSERT_TRUE(compose());
        EXPECT_EQ(QImage(tmp.file("Velomira.bmp")).size(), QSize(64, 48));
        EXPECT_EQ(wallpaperAt(c.inside), QColor(Qt::blue));
        EXPECT_TRUE(c.outside.x() < 0 || wallpaperAt(c.outside) == QColor(Qt::red));
    }
    program.settings.misc.passende_farbe = 1; // the picture's own colour around it
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaperAt({2, 24}), QColor(Qt::blue));
}

// Nothing happens while the program starts; without pictures the canvas has the background colour.
TEST_F(Compose, IndexAdvancesWrapsAndSkipsUnreadablePictures) {
    program.settings.misc.hgfarbe = 0x00ff00;
    program.StartupInProgress = true;
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_FALSE(QFile::exists(tmp.file("Velomira.bmp")));
    program.StartupInProgress = false;
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaperAt({63, 47}), QColor(Qt::green));
    addPicture("a.png", {64, 48}, Qt::red);
    WriteFile(tmp.file("broken.jpg"), "\xff\xd8\xff\xe0 not really a picture");
    pictures.push_back({tmp.file("broken.jpg"), {}});
    pictures.push_back({tmp.file("gone.png"), {}});
    addPicture("b.png", {64, 48}, Qt::blue);
    program.CurrentIndex = 17; // left over from a longer list
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaperAt({5, 5}), QColor(Qt::red));
    EXPECT_EQ(program.store.ReadSetting("misc", "bildname", ""), "a");
    EXPECT_EQ(program.store.ReadSetting("misc", "letztes_bild", ""), "1");
    const QByteArray before = ReadFile(tmp.file("Velomira.bmp"));
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_FALSE(ComposeWallpaper(program, pictures));
    EXPECT_EQ(errors, QStringList({"IS_ReadImage", "IS_OpenFileSource"}));
    EXPECT_EQ(program.store.ReadSetting("misc", "letztes_bild", ""), "3"); // a new run moves on too
    EXPECT_EQ(ReadFile(tmp.file("Velomira.bmp")), before);
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaperAt({5, 5}), QColor(Qt::blue));
    ASSERT_TRUE(compose());
    EXPECT_EQ(wallpaperAt({5, 5}), QColor(Qt::red));
}

// Setting the wallpaper through the desktops' real tools (the bare X server is in the program tests).
#include "platform/WallpaperBackend.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& args) {
    return RunProgram(program, args).out.trimmed();
}

void writePicture(const QString& path, QColor colour) {
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

} // namespace

// GNOME through real gsettings (keyfile backend), read back by a second process. GNOME caches by
// file name, so every change is announced under a fresh hard link and the previous link goes.
TEST(Wallpaper, GnomeThroughGsettingsWithFreshNames) {
    TempDir tmp;
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "GNOME"), backend("GSETTINGS_BACKEND", "keyfile"),
        config("XDG_CONFIG_HOME", tmp.file("config"));
    QDir().mkpath(tmp.file("Mein Ordner/\"ä\""));
    const QString file = tmp.file("Mein Ordner/\"ä\"/Velomira.bmp");
    writePicture(file, Qt::red);
    ASSERT_EQ(SetDesktopWallpaper(file).message, "");
    EXPECT_EQ(ReadFile(tmp.file("Mein Ordner/\"ä\"/Velomira-1.bmp")), ReadFile(file));
    ASSERT_EQ(SetDesktopWallpaper(file).message, "");
    for (const char* key : {"picture-uri", "picture-uri-dark"})
        EXPECT_EQ(run("gsettings", {"get", "org.gnome.desktop.background", key}),
                  "'file://" + tmp.path() + "/Mein%20Ordner/%22%C3%A4%22/Velomira-2.bmp'");
    EXPECT_EQ(QDir(tmp.file("Mein Ordner/\"ä\"")).entryList(QDir::Files),
              QStringList({"Velomira-2.bmp", "Velomira.bmp"}));
}

TEST(Wallpaper, XfceThroughXfconfInAPrivateSession) {
    TempDir tmp;
    const DbusSession bus;
    ASSERT_FALSE(bus.address().isEmpty());
    const ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.address()),
        desktop("XDG_CURRENT_DESKTOP", "XFCE"), config("XDG_CONFIG_HOME", tmp.file("config")),
        display("DISPLAY", "");
    const QString file = tmp.file("Velomira.bmp"), second = tmp.file("other.bmp");
    writePicture(file, Qt::blue);
    writePicture(second, Qt::green);
    // No property yet: the first monitor's is created ("0" without an X server to ask).
    ASSERT_EQ(SetDesktopWallpaper(file).message, "");
    const QString created = "/backdrop/screen0/monitor0/workspace0/last-image";
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", created}), file);
    // Existing properties, as the desktop made them, are all set.
    const QString other = "/backdrop/screen0/monitorscreen/workspace1/last-image";
    RunProgram("xfconf-query", {"-c", "xfce4-desktop", "-p", other, "-n", "-t", "string", "-s", "/old.png"});
    ASSERT_EQ(SetDesktopWallpaper(second).message, "");
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", created}), second);
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", other}), second);
}

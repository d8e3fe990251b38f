#include "platform/CommandWallpaper.h"
#include "platform/KdeWallpaper.h"
#include "platform/RootWindowWallpaper.h"
#include "platform/WallpaperBackend.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString backendName(const QString& desktop, bool wayland = false, bool x11 = false) {
    SessionInfo s;
    s.currentDesktop = desktop;
    s.wayland = wayland;
    s.x11 = x11;
    const auto backend = ChooseWallpaperBackend(s);
    return backend ? backend->name() : "none";
}

QString run(const QString& program, const QStringList& args) {
    return RunProgram(program, args).out.trimmed();
}

void writePicture(const QString& path, QColor colour, QSize size = {64, 48}) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

} // namespace

TEST(Wallpaper, BackendFollowsTheSession) {
    EXPECT_EQ(backendName("GNOME"), "GNOME");
    EXPECT_EQ(backendName("ubuntu:GNOME"), "GNOME");
    EXPECT_EQ(backendName("Budgie:GNOME"), "GNOME");
    EXPECT_EQ(backendName("Unity"), "GNOME");
    EXPECT_EQ(backendName("X-Cinnamon"), "Cinnamon");
    EXPECT_EQ(backendName("MATE"), "MATE");
    EXPECT_EQ(backendName("KDE"), "KDE Plasma");
    EXPECT_EQ(backendName("XFCE"), "XFCE");
    EXPECT_EQ(backendName("LXQt"), "LXQt");
    EXPECT_EQ(backendName("LXDE"), "LXDE");
    EXPECT_EQ(backendName("sway"), "wlroots");
    EXPECT_EQ(backendName("", true), "wlroots");
    EXPECT_EQ(backendName("i3", false, true), "X11");
    EXPECT_EQ(backendName("", false, true), "X11");
    EXPECT_EQ(backendName(""), "none");
}

TEST(Wallpaper, CommandLinesForAPathWithAwkwardCharacters) {
    const QString file = "/home/anna/Mein Ordner/\"ä\"/Velomira.bmp";
    const QString uri = "file:///home/anna/Mein%20Ordner/%22%C3%A4%22/Velomira.bmp";
    auto commands = [&](std::unique_ptr<WallpaperBackend> b) {
        return static_cast<CommandWallpaper*>(b.get())->commands(file);
    };
    EXPECT_EQ(commands(CommandWallpaper::gnome()),
              (QList<ExternalCommand>{
                  {"gsettings", {"set", "org.gnome.desktop.background", "picture-uri", uri}},
                  {"gsettings", {"set", "org.gnome.desktop.background", "picture-uri-dark", uri}}}));
    EXPECT_EQ(commands(CommandWallpaper::cinnamon()),
              (QList<ExternalCommand>{
                  {"gsettings", {"set", "org.cinnamon.desktop.background", "picture-uri", uri}}}));
    EXPECT_EQ(
        commands(CommandWallpaper::mate()),
        (QList<ExternalCommand>{{"gsettings", {"set", "org.mate.background", "picture-filename", file}}}));
    EXPECT_EQ(
        commands(CommandWallpaper::lxqt()),
        (QList<ExternalCommand>{{"pcmanfm-qt", {"--set-wallpaper=" + file, "--wallpaper-mode=stretch"}}}));

    const QString script = KdeWallpaperScript(file);
    EXPECT_TRUE(script.contains("d.writeConfig(\"Image\", \"" + uri + "\");")) << script.toStdString();
    EXPECT_TRUE(script.contains("d.wallpaperPlugin != \"org.kde.image\""));

    const QString list = "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                         "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
                         "/backdrop/screen0/monitorDP-2/workspace1/last-image\n";
    EXPECT_EQ(
        XfceCommands(list, file, "HDMI-1"),
        (QList<ExternalCommand>{{"xfconf-query",
                                 {"-c", "xfce4-desktop", "-p",
                                  "/backdrop/screen0/monitorHDMI-1/workspace0/last-image", "-s", file}},
                                {"xfconf-query",
                                 {"-c", "xfce4-desktop", "-p",
                                  "/backdrop/screen0/monitorDP-2/workspace1/last-image", "-s", file}}}));
    EXPECT_EQ(XfceCommands("", file, "HDMI-1"),
              (QList<ExternalCommand>{
                  {"xfconf-query",
                   {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
                    "-n", "-t", "string", "-s", file}}}));
}

// GNOME through real gsettings (keyfile backend), read back by a second process. GNOME caches by
// file name, so every change is announced under a fresh hard link and the previous link goes.
TEST(Wallpaper, GnomeThroughGsettingsWithFreshNames) {
    TempDir tmp;
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "GNOME");
    const ScopedEnv backend("GSETTINGS_BACKEND", "keyfile");
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("config"));
    const QString file = tmp.file("Velomira.bmp");
    writePicture(file, Qt::red);

    ASSERT_EQ(SetDesktopWallpaper(file), "");
    const QString first = tmp.file("Velomira-1.bmp");
    EXPECT_EQ(run("gsettings", {"get", "org.gnome.desktop.background", "picture-uri"}),
              "'file://" + first + "'");
    EXPECT_EQ(ReadFile(first), ReadFile(file));

    ASSERT_EQ(SetDesktopWallpaper(file), "");
    EXPECT_EQ(run("gsettings", {"get", "org.gnome.desktop.background", "picture-uri-dark"}),
              "'file://" + tmp.file("Velomira-2.bmp") + "'");
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 2); // Velomira.bmp and one link
}

TEST(Wallpaper, XfceThroughXfconfInAPrivateSession) {
    TempDir tmp;
    const DbusSession bus;
    ASSERT_FALSE(bus.address().isEmpty());
    const ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.address());
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "XFCE");
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("config"));
    const ScopedEnv display("DISPLAY", "");
    const QString file = tmp.file("Velomira.bmp");
    writePicture(file, Qt::blue);

    // No property yet: the first monitor's is created ("0" without an X server to ask).
    ASSERT_EQ(SetDesktopWallpaper(file), "");
    const QString created = "/backdrop/screen0/monitor0/workspace0/last-image";
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", created}), file);

    // Existing properties, as the desktop made them, are all set.
    const QString other = "/backdrop/screen0/monitorscreen/workspace1/last-image";
    RunProgram("xfconf-query", {"-c", "xfce4-desktop", "-p", other, "-n", "-t", "string", "-s", "/old.png"});
    const QString second = tmp.file("other.bmp");
    writePicture(second, Qt::green);
    ASSERT_EQ(SetDesktopWallpaper(second), "");
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", created}), second);
    EXPECT_EQ(run("xfconf-query", {"-c", "xfce4-desktop", "-p", other}), second);
}

TEST(Wallpaper, X11RootWindowShowsThePictureAndKeepsOnePixmap) {
    TempDir tmp;
    const XvfbServer x("320x200x24");
    ASSERT_FALSE(x.display().isEmpty());
    const ScopedEnv display("DISPLAY", x.display());
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "");
    const ScopedEnv wayland("WAYLAND_DISPLAY", "");
    EXPECT_EQ(PrimaryOutputName(), "screen");

    QImage quadrants(320, 200, QImage::Format_RGB888);
    quadrants.fill(QColor(200, 100, 50));
    for (int y = 0; y < 100; ++y)
        for (int x2 = 0; x2 < 160; ++x2)
            quadrants.setPixelColor(x2, y, QColor(10, 20, 30));
    const QString file = tmp.file("Velomira.bmp");
    ASSERT_TRUE(quadrants.save(file, "BMP"));

    ASSERT_EQ(SetDesktopWallpaper(file), "");
    EXPECT_EQ(RootPixel(5, 5), 0x0a141eu);
    EXPECT_EQ(RootPixel(315, 195), 0xc86432u);
    const QString firstPixmap = run("xprop", {"-display", x.display(), "-root", "_XROOTPMAP_ID"});

    writePicture(file, QColor(1, 2, 3), {320, 200});
    ASSERT_EQ(SetDesktopWallpaper(file), "");
    EXPECT_EQ(RootPixel(160, 100), 0x010203u);
    EXPECT_NE(run("xprop", {"-display", x.display(), "-root", "_XROOTPMAP_ID"}), firstPixmap);
    EXPECT_EQ(run("xprop", {"-display", x.display(), "-root", "ESETROOT_PMAP_ID"}).section(' ', -1),
              run("xprop", {"-display", x.display(), "-root", "_XROOTPMAP_ID"}).section(' ', -1));
}

// velomira --next on real desktops, each started here on a private X server with its own session
// bus and home: the desktop shows the first picture, then the next one.
#include "DesktopSupport.h"

namespace {

struct Desktop {
    const char* name;    // $XDG_CURRENT_DESKTOP
    QStringList command; // draws the desktop
};

class LiveDesktop : public ::testing::TestWithParam<Desktop> {};

} // namespace

TEST_P(LiveDesktop, ShowsEachNextPicture) {
    const Desktop& desktop = GetParam();
    if (QStandardPaths::findExecutable(desktop.command[0]).isEmpty())
        GTEST_SKIP() << desktop.command[0].toStdString() << " is not installed";
    const TempDir home;
    const XvfbServer x("640x480x24");
    ASSERT_FALSE(x.display().isEmpty());
    for (const char* folder : {"Bilder", "cfg/Korbinheim"})
        QDir().mkpath(home.file(folder));
    // Set before the bus starts, so that the services it starts (dconf) share them.
    const ScopedEnv user("HOME", home.path()), config("XDG_CONFIG_HOME", home.file("cfg")),
        runtime("XDG_RUNTIME_DIR", home.path()), display("DISPLAY", x.display()),
        session("XDG_CURRENT_DESKTOP", desktop.name), qt("QT_QPA_PLATFORM", ""), noA11y("NO_AT_BRIDGE", "1");
    const DbusSession bus;
    ASSERT_FALSE(bus.address().isEmpty());
    const ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.address());
    const Background shell(desktop.command[0], desktop.command.mid(1), {});
    ASSERT_TRUE(WaitUntil([&] {
        return !VisibleWindows(x.display(), "--class", desktop.command[0]).isEmpty();
    })) << "no desktop window";

    WriteFile(home.file("cfg/Korbinheim/Velomira.ini"),
              QString("[misc]\nbmp=1\nbmpverzeichnis=%1\n[path]\n1=%1/Bilder\n").arg(home.path()).toUtf8());
    // The one picture, in another colour at each change.
    for (const uint32_t colour : {0xc81e28u, 0x143cdcu}) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(home.file("Bilder/a.bmp")));
        const ProcessResult r = RunProgram(VELOMIRA_PROGRAM, {"--next"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(WaitUntil([&] { return RootPixel(320, 240) == colour; }))
            << std::hex << colour << " not shown, but " << RootPixel(320, 240);
    }
}

INSTANTIATE_TEST_SUITE_P(, LiveDesktop,
                         ::testing::Values(Desktop{"LXQt", {"pcmanfm-qt", "--desktop"}},
                                           Desktop{"LXDE", {"pcmanfm", "--desktop"}},
                                           Desktop{"MATE", {"caja", "-n", "--force-desktop"}}),
                         [](const auto& info) { return std::string(info.param.name); });

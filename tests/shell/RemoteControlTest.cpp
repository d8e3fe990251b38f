// velomira --next and --status beside the running tray program (trayer, a private session bus): the
// running program changes the picture itself, so that its icon and the settings file stay in step.
#include "DesktopSupport.h"
#include "app/IniDocument.h"

#include <gtest/gtest.h>

TEST(RemoteControl, CommandLineDrivesTheRunningProgram) {
    const XvfbServer x("640x480x24");
    const Trayer trayer(x.display());
    const DbusSession bus;
    TempDir home;
    const QString ini = home.file("Korbinheim/Velomira.ini"), wallpaper = home.file("Velomira.bmp");
    QDir().mkpath(home.file("Korbinheim")), QDir().mkpath(home.file("p"));
    for (const auto& [name, colour] : {std::pair{"a", Qt::red}, {"b", Qt::green}, {"c", Qt::blue}}) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        image.save(home.file("p/") + name + ".png");
    }
    WriteFile(ini, ("[misc]\ndelay=5\nreihenfolge=1\njpg=0\npng=1\nbmpverzeichnis=" + home.path() +
                    "\n[path]\n1=" + home.file("p/") + "\n")
                       .toUtf8());
    // The program's clock starts at noon (libfaketime), so that the next change is known.
    const QString faketime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                  asan = qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0";
    QStringList env = {"QT_QPA_PLATFORM=xcb", "XDG_CURRENT_DESKTOP=", "FAKETIME=@2024-12-11 12:00:00"};
    env << "DISPLAY=" + x.display() << "DBUS_SESSION_BUS_ADDRESS=" + bus.address() << "LD_PRELOAD=" + faketime
        << "ASAN_OPTIONS=" + asan;
    for (const QString name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        env << name + "=" + home.path();
    const auto velomira = [&](const QStringList& args, const QStringList& more = {}) {
        return RunProgram(VELOMIRA_BINARY_DIR "/bin/velomira", args, env + more);
    };
    const auto shows = [&](const char* name, QRgb colour) {
        return IniDocument::parse(ReadFile(ini)).value("misc", "bildname") == name &&
               QImage(wallpaper).pixel(10, 10) == colour;
    };
    // No bus to ask, and without a display none to start either.
    const QStringList noBus = {"DBUS_SESSION_BUS_ADDRESS=", "DISPLAY="};
    const QStringList small = {"--next", "--size", "64x48"};

    Background tray(VELOMIRA_BINARY_DIR "/bin/velomira", {}, env);
    const std::optional<WindowBox> icon = trayer.embeddedIcon("velomira");
    ASSERT_TRUE(icon) << "no tray icon";
    // Two clicks far enough apart never make a double click, however soon they come.
    Click(x.display(), icon->rect.center() - QPoint(0, 10), 1);
    ASSERT_TRUE(WaitUntil([&] { return shows("a", 0xffff0000); }));
    // The running program has composed b by the time --next ends; its next left click shows c.
    EXPECT_EQ(velomira({"--next"}).exitCode, 0);
    EXPECT_TRUE(shows("b", 0xff00ff00));
    Click(x.display(), icon->rect.center() + QPoint(0, 10), 1);
    ASSERT_TRUE(WaitUntil([&] { return shows("c", 0xff0000ff); }));
    const ProcessResult status = velomira({"--status"});
    EXPECT_TRUE(QRegularExpression("^Bild: c\nnächster Bildwechsel um 12:05:[0-5][0-9]\nBilder: 3\n$")
                    .match(status.out)
                    .hasMatch())
        << status.out.toStdString();

    // One that cannot reach it composes by itself, but leaves the settings to the running program.
    const QByteArray before = ReadFile(ini);
    EXPECT_EQ(velomira(small, noBus).exitCode, 0);
    EXPECT_EQ(QImage(wallpaper).size(), QSize(64, 48));
    EXPECT_EQ(ReadFile(ini), before);
    EXPECT_EQ(tray.end(), 0);

    // None running: --status says so, --next composes in its own process, with a bus or without.
    EXPECT_EQ(velomira({"--status"}).exitCode, 1);
    EXPECT_EQ(velomira(small).exitCode, 0);
    EXPECT_TRUE(shows("a", 0xffff0000)) << "after c, which the program stored at its end";
    EXPECT_EQ(velomira(small, noBus).exitCode, 0);
    EXPECT_EQ(IniDocument::parse(ReadFile(ini)).value("misc", "bildname"), "b");
}

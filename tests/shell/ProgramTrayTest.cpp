// The real program in a real tray: trayer (XEmbed) or xfce4-panel (StatusNotifierItem) on a private
// X server, driven by xdotool like a person with a mouse and keyboard.
#include "DesktopSupport.h"
#include "TestSupport.h"
#include "app/IniDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// A user's home with three pictures (named so that the name order is Abend, Berg, Meer).
struct Home {
    TempDir dir;
    QString pictures = dir.file("Bilder");
    QString ini = dir.file(".config/Korbinheim/Velomira.ini");
    QString wallpaper = dir.file("Velomira.bmp");

    Home() {
        QDir().mkpath(pictures);
        QDir().mkpath(dir.file("run"));
        QFile::setPermissions(dir.file("run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const auto& [name, colour] : {std::pair{"Meer", QColor(20, 60, 200)},
                                           {"Abend", QColor(230, 120, 30)},
                                           {"Berg", QColor(90, 160, 70)}}) {
            QImage image(160, 120, QImage::Format_RGB32);
            image.fill(colour);
            image.save(pictures + "/" + name + ".jpg");
        }
    }
    // Settings of an earlier run: a normal start then composes nothing for a minute.
    void usedBefore() const {
        QDir().mkpath(QFileInfo(ini).path());
        WriteFile(ini, ("[misc]\ndelay=5\nreihenfolge=1\n[path]\n1=" + pictures + "/\n").toUtf8());
    }
    std::optional<QString> setting(const char* section, const char* name) const {
        return IniDocument::parse(ReadFile(ini)).value(section, name);
    }
    QByteArray wallpaperHash() const {
        return QCryptographicHash::hash(ReadFile(wallpaper), QCryptographicHash::Md5);
    }
};

// The program started in the home on a fixed date (libfaketime); `env` comes last and overrides.
struct Velomira : Background {
    Velomira(const Home& home, const QString& display, const QStringList& env = {},
             const QStringList& args = {})
        : Background(VELOMIRA_BINARY_DIR "/bin/velomira", args,
                     QStringList{"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "HOME=" + home.dir.path(),
                                 "XDG_CONFIG_HOME=" + home.dir.file(".config"),
                                 "XDG_RUNTIME_DIR=" + home.dir.file("run"),
                                 "XDG_CURRENT_DESKTOP=", "DBUS_SESSION_BUS_ADDRESS=",
                                 "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                                 "FAKETIME=@2024-12-11 12:00:00", "ASAN_OPTIONS=" + asan()} +
                         env,
                     home.pictures) {}
    static QString asan() { return qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0"; }
};

QList<WindowBox> programWindows(const QString& display) {
    return VisibleWindows(display, "--classname", "velomira");
}

// Opens the tray menu with a right click on the icon and goes `downs` items down with the keyboard
// (separators are skipped: Konfiguration 1, Info 2, nächstes Bild 3, Beenden 4), then Return.
bool choose(const QString& display, const WindowBox& icon, int downs) {
    QStringList before;
    for (const WindowBox& w : programWindows(display))
        before << w.id;
    Click(display, icon.rect.center(), 3);
    std::optional<WindowBox> menu;
    if (!WaitUntil([&] {
            for (const WindowBox& w : programWindows(display))
                if (!before.contains(w.id)) menu = w;
            return menu.has_value();
        }))
        return false;
    // The pointer off the menu, so that no item is under it; the keys go to the menu's window.
    const QPoint away = menu->rect.bottomRight() + QPoint(20, 20);
    RunOn(display, "xdotool", {"mousemove", QString::number(away.x()), QString::number(away.y())});
    QStringList keys = {"key", "--window", menu->id};
    for (int i = 0; i < downs; ++i)
        keys << "Down";
    RunOn(display, "xdotool", keys << "Return");
    return true;
}

} // namespace

TEST(ProgramTray, XEmbedTrayClicksAndMenu) {
    const XvfbServer x("800x600x24");
    const Trayer trayer(x.display());
    ASSERT_TRUE(trayer.ready());
    Home home;
    home.usedBefore();
    Velomira program(home, x.display());
    const std::optional<WindowBox> icon = trayer.embeddedIcon("velomira");
    ASSERT_TRUE(icon) << "no tray icon";
    EXPECT_FALSE(QFile::exists(home.wallpaper)) << "a normal start changes the picture only after a minute";

    // A left click composes the first picture of the name order; its name is remembered before the
    // picture is written.
    Click(x.display(), icon->rect.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return QImage(home.wallpaper).size() == QSize(800, 600); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(home.setting("misc", "bildname"), "Abend");
    const QByteArray first = home.wallpaperHash();

    // Resting on the icon shows the tooltip, a second window of the program.
    const QPoint onIcon = icon->rect.center() + QPoint(1, 1);
    RunOn(x.display(), "xdotool", {"mousemove", QString::number(onIcon.x()), QString::number(onIcon.y())});
    EXPECT_TRUE(WaitUntil([&] { return programWindows(x.display()).size() == 2; }));
    RunOn(x.display(), "xdotool", {"mousemove", "400", "400"});
    ASSERT_TRUE(WaitUntil([&] { return programWindows(x.display()).size() == 1; })) << "tooltip gone";

    ASSERT_TRUE(choose(x.display(), *icon, 3)); // nächstes Bild
    ASSERT_TRUE(WaitUntil(
        [&] { return QImage(home.wallpaper).size() == QSize(800, 600) && home.wallpaperHash() != first; }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "2");
    EXPECT_EQ(home.setting("misc", "bildname"), "Berg");

    ASSERT_TRUE(choose(x.display(), *icon, 1)); // Konfiguration
    QList<WindowBox> settingsWindow;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(settingsWindow = VisibleWindows(x.display(), "--name", "^Velomira$")).isEmpty(); }));
    // Without a window manager the window covers the tray; move it aside to reach the icon.
    RunOn(x.display(), "xdotool", {"windowmove", "--sync", settingsWindow.first().id, "250", "50"});

    EXPECT_FALSE(home.setting("textstempel", "text")) << "nothing saved yet";
    ASSERT_TRUE(choose(x.display(), *icon, 4)); // Beenden
    EXPECT_EQ(program.waitForExit(10000), 0);
    EXPECT_EQ(home.setting("textstempel", "text"), "Velomira") << "Beenden saves every setting";
    EXPECT_EQ(home.setting("misc", "delay"), "5");
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "2");
}

TEST(ProgramTray, StatusNotifierTrayLeftClickComposes) {
    const XvfbServer x("800x600x24");
    Home home;
    home.usedBefore();
    // Services the bus starts (the panel's settings store) take their folders from its environment.
    const ScopedEnv config("XDG_CONFIG_HOME", home.dir.file(".config"));
    const ScopedEnv display("DISPLAY", x.display());
    const DbusSession bus;
    ASSERT_FALSE(bus.address().isEmpty());
    const SniPanel panel(x.display(), bus.address(), home.dir.file(".config"));
    ASSERT_TRUE(panel.ready());
    // Qt's D-Bus tray leaves copies of the menu behind at exit; the XEmbed tests look for leaks of ours.
    Velomira program(home, x.display(),
                     {"DBUS_SESSION_BUS_ADDRESS=" + bus.address(),
                      "ASAN_OPTIONS=" + Velomira::asan() + ":detect_leaks=0"});

    // The panel draws the icon itself; find it by the icon's blue tile.
    QRect icon;
    ASSERT_TRUE(WaitUntil(
        [&] { return (icon = FindColour(Screenshot(x.display()), QColor(0x2e, 0x6d, 0xb4))).width() > 4; }));
    Click(x.display(), icon.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return !QImage(home.wallpaper).isNull(); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(program.terminate(), 0);
}

// A first start composes at once; the end of the session (SIGTERM) still saves the settings.
TEST(ProgramTray, FirstStartComposesAtOnceAndTerminationSaves) {
    const XvfbServer x("640x480x24");
    const Trayer trayer(x.display());
    ASSERT_TRUE(trayer.ready());
    Home home;
    Velomira program(home, x.display());
    ASSERT_TRUE(WaitUntil([&] { return QImage(home.wallpaper).size() == QSize(640, 480); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(program.terminate(), 0);
    EXPECT_EQ(home.setting("misc", "delay"), "60");
    EXPECT_EQ(home.setting("path", "1"), home.pictures + "/") << "the working folder is the first start's";
}

// "/c" opens the settings window beside the icon; the window fits the screen at 100 % and 200 %.
TEST(ProgramTray, ConfigStartShowsWindowAndIcon) {
    for (const auto& [scale, geometry] : {std::pair{"1", "800x600x24"}, {"2", "1600x1300x24"}}) {
        SCOPED_TRACE(scale);
        const XvfbServer x(geometry);
        const Trayer trayer(x.display());
        ASSERT_TRUE(trayer.ready());
        Home home;
        home.usedBefore();
        Velomira program(home, x.display(), {QString("QT_SCALE_FACTOR=") + scale}, {"/C"});
        ASSERT_TRUE(trayer.embeddedIcon("velomira")) << "the icon beside the window";
        QList<WindowBox> window;
        ASSERT_TRUE(WaitUntil(
            [&] { return !(window = VisibleWindows(x.display(), "--name", "^Velomira$")).isEmpty(); }));
        // Painted once the window's corner is no longer the black of the bare screen.
        const auto painted = [&] {
            const QImage shot = Screenshot(x.display(), QString("main-window-%1.png").arg(scale));
            return shot.pixelColor(window.first().rect.topLeft() + QPoint(2, 2)) != QColor(Qt::black);
        };
        EXPECT_TRUE(WaitUntil(painted));
        EXPECT_TRUE(QRect(0, 0, QString(geometry).section('x', 0, 0).toInt(),
                          QString(geometry).section('x', 1, 1).toInt())
                        .contains(window.first().rect));
        EXPECT_EQ(program.terminate(), 0);
    }
}

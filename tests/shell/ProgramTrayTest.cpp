// The real program in a real tray: trayer (XEmbed) or xfce4-panel (StatusNotifierItem) on a private
// X server, driven by xdotool like a person with a mouse and keyboard.
#include "DesktopSupport.h"
#include "app/IniDocument.h"

#include <gtest/gtest.h>

namespace {

const QString kAsan = "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0";

// Whether `c` is `colour` within JPEG's error.
bool near(QColor c, QColor colour) {
    const int off = std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green());
    return off + std::abs(c.blue() - colour.blue()) < 30;
}

// A user's home with three pictures (by name: Abend red, Berg green, Meer blue), with the settings
// of an earlier run when `usedBefore` (a normal start then composes nothing for a minute), and the
// program started there on a fixed date (libfaketime); `env` comes last and overrides.
struct Home : TempDir {
    QString pictures = file("Bilder"), wallpaper = file("Velomira.bmp"),
            ini = file(".config/Korbinheim/Velomira.ini");
    std::optional<Background> program;

    Home(const QString& display, bool usedBefore, const QStringList& env = {}, const QStringList& args = {}) {
        QDir().mkpath(pictures);
        QDir().mkpath(file(".config/Korbinheim"));
        for (const auto& [name, colour] :
             {std::pair{"Meer", Qt::blue}, {"Abend", Qt::red}, {"Berg", Qt::green}}) {
            QImage image(160, 120, QImage::Format_RGB32);
            image.fill(colour);
            image.save(pictures + "/" + name + ".jpg");
        }
        if (usedBefore)
            WriteFile(ini, ("[misc]\ndelay=5\nreihenfolge=1\n[path]\n1=" + pictures + "/\n").toUtf8());
        this->env = QStringList{"DISPLAY=" + display,
                                "QT_QPA_PLATFORM=xcb",
                                "HOME=" + path(),
                                "XDG_CONFIG_HOME=" + file(".config"),
                                "XDG_RUNTIME_DIR=" + path(),
                                "XDG_CURRENT_DESKTOP=",
                                "DBUS_SESSION_BUS_ADDRESS=",
                                "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                                "FAKETIME=@2024-12-11 12:00:00",
                                kAsan} +
                    env;
        program.emplace(VELOMIRA_BINARY_DIR "/bin/velomira", args, this->env, pictures);
    }
    std::optional<QString> setting(const char* section, const char* name) const {
        return IniDocument::parse(ReadFile(ini)).value(section, name);
    }
    // Another velomira in the same session, with `more` variables.
    ProcessResult run(const QStringList& args, const QStringList& more = {}) const {
        return RunProgram(VELOMIRA_BINARY_DIR "/bin/velomira", args, env + more);
    }
    QStringList env;
};

// Opens the tray menu with a right click on the icon and goes `ups` items up with the keyboard
// (separators are skipped: Beenden 1, nächstes Bild 2, Info 3, Konfiguration 4), then Return. The
// menu opens at the pointer, so its first item may be under it for a moment; counted from the end,
// the same keys reach the same item whether that item or none is highlighted.
bool choose(const QString& display, const WindowBox& icon, int ups) {
    QStringList before;
    for (const WindowBox& w : VisibleWindows(display, "--classname", "velomira"))
        before << w.id;
    Click(display, icon.rect.center(), 3);
    // The new window that is a menu (the pointer on the icon may also bring up the tooltip).
    std::optional<WindowBox> menu;
    if (!WaitUntil([&] {
            for (const WindowBox& w : VisibleWindows(display, "--classname", "velomira"))
                if (!before.contains(w.id) &&
                    !RunOn(display, "xprop", {"-id", w.id, "_NET_WM_WINDOW_TYPE"}).contains("TOOLTIP"))
                    menu = w;
            return menu.has_value();
        }))
        return false;
    // The pointer off the menu, so that no item is under it; the keys go to the menu's window.
    Click(display, menu->rect.bottomRight() + QPoint(20, 20), 0);
    RunOn(display, "xdotool", QStringList{"key", "--window", menu->id} + QStringList(ups, "Up") << "Return");
    return true;
}

} // namespace

TEST(ProgramTray, XEmbedTrayClicksMenuAndFirstStart) {
    const XvfbServer x("800x600x24");
    const Trayer trayer(x.display());
    Home home(x.display(), true);
    const std::optional<WindowBox> icon = trayer.embeddedIcon("velomira");
    ASSERT_TRUE(icon) << "no tray icon";
    EXPECT_FALSE(QFile::exists(home.wallpaper)) << "a normal start changes the picture only after a minute";

    // A left click composes the first picture of the name order, remembered before it is written.
    Click(x.display(), icon->rect.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return QImage(home.wallpaper).size() == QSize(800, 600); }));
    EXPECT_EQ(home.setting("misc", "bildname"), "Abend");
    EXPECT_TRUE(near(QImage(home.wallpaper).pixelColor(400, 300), Qt::red));
    ASSERT_TRUE(choose(x.display(), *icon, 2)); // nächstes Bild
    ASSERT_TRUE(WaitUntil([&] { return near(QImage(home.wallpaper).pixelColor(400, 300), Qt::green); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "2");

    EXPECT_FALSE(home.setting("textstempel", "text")) << "nothing saved yet";
    ASSERT_TRUE(choose(x.display(), *icon, 1)); // Beenden
    EXPECT_EQ(home.program->end(10000), 0);
    EXPECT_EQ(home.setting("textstempel", "text"), "Velomira") << "Beenden saves every setting";

    // A first start composes at once; the end of the session (SIGTERM) still saves the settings.
    QFile::remove(home.ini);
    home.program.emplace(VELOMIRA_BINARY_DIR "/bin/velomira", QStringList(), home.env, home.pictures);
    ASSERT_TRUE(WaitUntil([&] { return home.setting("misc", "letztes_bild") == "1"; }));
    EXPECT_EQ(QImage(home.wallpaper).size(), QSize(800, 600));
    EXPECT_EQ(home.program->end(), 0);
    EXPECT_EQ(home.setting("path", "1"), home.pictures + "/") << "the working folder is the first start's";
}

TEST(ProgramTray, StatusNotifierTrayLeftClickComposes) {
    const XvfbServer x("800x600x24");
    TempDir config;
    // Services the bus starts (the panel's settings store) take their folders from its environment.
    const ScopedEnv configHome("XDG_CONFIG_HOME", config.path()), display("DISPLAY", x.display());
    const DbusSession bus;
    // A preset panel with only the status tray, so that no first-run dialog asks for a layout.
    QDir().mkpath(config.file("xfce4/xfconf/xfce-perchannel-xml"));
    QFile::copy(VELOMIRA_SOURCE_DIR "/tests/shell/xfce4-panel.xml",
                config.file("xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml"));
    const QString onBus = "DBUS_SESSION_BUS_ADDRESS=" + bus.address();
    const Background panel("xfce4-panel", {"--disable-wm-check"}, {onBus, "NO_AT_BRIDGE=1"});
    const QStringList watcher = {"wait", "--session", "-t", "15", "org.kde.StatusNotifierWatcher"};
    ASSERT_EQ(RunProgram("gdbus", watcher, {onBus}).exitCode, 0) << "the panel has no status tray";
    // Qt's D-Bus tray leaves copies of the menu behind at exit; the XEmbed tests look for leaks of ours.
    Home home(x.display(), true, {onBus, kAsan + ":detect_leaks=0"});

    // The panel draws the icon itself; click its blue tile once it shows.
    ASSERT_TRUE(WaitUntil([&] {
        RunOn(x.display(), "import", {"-window", "root", home.file("screen.png")});
        const QImage screen(home.file("screen.png"));
        for (int py = 0; py < screen.height(); py += 2)
            for (int px = 0; px < screen.width(); px += 2)
                if (near(screen.pixelColor(px, py), QColor(0x2e, 0x6d, 0xb4))) {
                    Click(x.display(), {px + 2, py + 2}, 1);
                    return true;
                }
        return false;
    }));
    ASSERT_TRUE(WaitUntil([&] { return !QImage(home.wallpaper).isNull(); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(home.program->end(), 0);
}

// velomira --next and --status beside the running tray program (a private session bus): the running
// program changes the picture itself, so that its icon and the settings file stay in step.
TEST(ProgramTray, CommandLineDrivesTheRunningProgram) {
    const XvfbServer x("640x480x24");
    const Trayer trayer(x.display());
    const DbusSession bus;
    const QString onBus = "DBUS_SESSION_BUS_ADDRESS=" + bus.address();
    Home home(x.display(), true, {onBus});
    const auto shows = [&](const char* name, QColor colour) {
        return home.setting("misc", "bildname") == name &&
               near(QImage(home.wallpaper).pixelColor(10, 10), colour);
    };
    // No bus to ask, and without a display none to start either.
    const QStringList noBus = {"DBUS_SESSION_BUS_ADDRESS=", "DISPLAY="},
                      small = {"--next", "--size", "64x48"};
    const std::optional<WindowBox> icon = trayer.embeddedIcon("velomira");
    ASSERT_TRUE(icon) << "no tray icon";
    // Two clicks far enough apart never make a double click, however soon they come.
    Click(x.display(), icon->rect.center() - QPoint(0, 10), 1);
    ASSERT_TRUE(WaitUntil([&] { return shows("Abend", Qt::red); }));
    // The running program has composed the next one by the time --next ends; its left click goes on.
    EXPECT_EQ(home.run({"--next"}).exitCode, 0);
    EXPECT_TRUE(shows("Berg", Qt::green));
    Click(x.display(), icon->rect.center() + QPoint(0, 10), 1);
    ASSERT_TRUE(WaitUntil([&] { return shows("Meer", Qt::blue); }));
    const ProcessResult status = home.run({"--status"});
    EXPECT_TRUE(QRegularExpression("^Bild: Meer\nnächster Bildwechsel um 12:05:[0-5][0-9]\nBilder: 3\n$")
                    .match(status.out)
                    .hasMatch())
        << status.out.toStdString();

    // One that cannot reach it composes by itself, but leaves the settings to the running program.
    const QByteArray before = ReadFile(home.ini);
    EXPECT_EQ(home.run(small, noBus).exitCode, 0);
    EXPECT_EQ(QImage(home.wallpaper).size(), QSize(64, 48));
    EXPECT_EQ(ReadFile(home.ini), before);
    EXPECT_EQ(home.program->end(), 0);

    // None running: --status says so, --next composes in its own process, with a bus or without.
    EXPECT_EQ(home.run({"--status"}).exitCode, 1);
    EXPECT_EQ(home.run(small).exitCode, 0);
    EXPECT_TRUE(shows("Abend", Qt::red)) << "after Meer, which the program stored at its end";
    EXPECT_EQ(home.run(small, noBus).exitCode, 0);
    EXPECT_EQ(home.setting("misc", "bildname"), "Berg");
}

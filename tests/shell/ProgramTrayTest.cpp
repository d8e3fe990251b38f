// The real program in a real tray: trayer (XEmbed) or xfce4-panel (StatusNotifierItem) on a private
// X server, driven by xdotool like a person with a mouse.
#include "DesktopSupport.h"
#include "TestSupport.h"
#include "app/IniDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Where the menu items sit, as fractions of the tray menu's height (four items, two separators).
constexpr double kKonfiguration = 0.11, kNaechstesBild = 0.61, kBeenden = 0.87;

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
        const std::pair<const char*, QColor> pictureColours[] = {
            {"Meer", QColor(20, 60, 200)}, {"Abend", QColor(230, 120, 30)}, {"Berg", QColor(90, 160, 70)}};
        for (const auto& [name, colour] : pictureColours) {
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
    QStringList env(const QString& display, const QString& bus = {}) const {
        return {"DISPLAY=" + display,
                "QT_QPA_PLATFORM=xcb",
                "HOME=" + dir.path(),
                "XDG_CONFIG_HOME=" + dir.file(".config"),
                "XDG_RUNTIME_DIR=" + dir.file("run"),
                "XDG_CURRENT_DESKTOP=",
                bus.isEmpty() ? "DBUS_SESSION_BUS_ADDRESS=" : "DBUS_SESSION_BUS_ADDRESS=" + bus};
    }
};

struct Velomira : Background {
    Velomira(const Home& home, const QStringList& env, const QStringList& args = {})
        : Background(VELOMIRA_BINARY_DIR "/bin/velomira", args, env, home.pictures) {}
};

// The program's windows on the display, the tray icon first once it is embedded.
QList<WindowBox> programWindows(const QString& display) {
    return VisibleWindows(display, "--classname", "velomira");
}

std::optional<WindowBox> waitForSingleWindow(const QString& display) {
    QList<WindowBox> windows;
    if (!WaitUntil([&] { return (windows = programWindows(display)).size() == 1; }, 10000)) return {};
    QThread::msleep(300); // the tray host takes clicks once it has finished embedding the icon
    return windows.first();
}

// Opens the tray menu with a right click and clicks the item at `fraction` of its height.
bool chooseFromMenu(const QString& display, const WindowBox& icon, double fraction,
                    const QString& screenshot = {}) {
    QStringList before;
    for (const WindowBox& w : programWindows(display))
        before << w.id;
    Click(display, icon.rect.center(), 3);
    std::optional<WindowBox> menu;
    const auto menuOpen = [&] {
        for (const WindowBox& w : programWindows(display))
            if (!before.contains(w.id)) menu = w;
        return menu.has_value();
    };
    if (!WaitUntil(menuOpen)) return false;
    QThread::msleep(300); // painted
    if (!screenshot.isEmpty()) Screenshot(display, screenshot);
    Click(display, QPoint(menu->rect.center().x(), menu->rect.top() + int(menu->rect.height() * fraction)),
          1);
    return true;
}

} // namespace

TEST(ProgramTray, XEmbedTrayClicksAndMenu) {
    const XvfbServer x("800x600x24");
    ASSERT_FALSE(x.display().isEmpty());
    const Trayer trayer(x.display());
    ASSERT_TRUE(trayer.ready());
    Home home;
    home.usedBefore();
    Velomira program(home, home.env(x.display()));

    const std::optional<WindowBox> icon = waitForSingleWindow(x.display());
    ASSERT_TRUE(icon) << "no tray icon";
    EXPECT_FALSE(QFile::exists(home.wallpaper)) << "a normal start changes the picture only after a minute";

    // A left click composes the first picture of the name order.
    // The picture is written after its name is remembered.
    Click(x.display(), icon->rect.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return QImage(home.wallpaper).size() == QSize(800, 600); }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(home.setting("misc", "bildname"), "Abend");
    const QByteArray first = home.wallpaperHash();

    // Resting on the icon shows the tooltip (a second window of the program).
    const QPoint onIcon = icon->rect.center() + QPoint(1, 1);
    RunOn(x.display(), "xdotool", {"mousemove", QString::number(onIcon.x()), QString::number(onIcon.y())});
    EXPECT_TRUE(WaitUntil([&] { return programWindows(x.display()).size() == 2; }));
    QThread::msleep(300);
    Screenshot(x.display(), "tray-tooltip.png");
    RunOn(x.display(), "xdotool", {"mousemove", "400", "400"});

    ASSERT_TRUE(chooseFromMenu(x.display(), *icon, kNaechstesBild, "tray-menu.png"));
    ASSERT_TRUE(WaitUntil(
        [&] { return QImage(home.wallpaper).size() == QSize(800, 600) && home.wallpaperHash() != first; }));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "2");
    EXPECT_EQ(home.setting("misc", "bildname"), "Berg");

    ASSERT_TRUE(chooseFromMenu(x.display(), *icon, kKonfiguration));
    QList<WindowBox> settingsWindow;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(settingsWindow = VisibleWindows(x.display(), "--name", "^Velomira$")).isEmpty(); }));
    QThread::msleep(300);
    Screenshot(x.display(), "main-window.png");
    // Without a window manager the window covers the tray; move it aside to reach the icon.
    RunOn(x.display(), "xdotool", {"windowmove", settingsWindow.first().id, "250", "50"});

    EXPECT_FALSE(home.setting("textstempel", "text")) << "nothing saved yet";
    ASSERT_TRUE(chooseFromMenu(x.display(), *icon, kBeenden));
    EXPECT_EQ(program.waitForExit(10000), 0);
    EXPECT_EQ(home.setting("textstempel", "text"), "Velomira") << "Beenden saves every setting";
    EXPECT_EQ(home.setting("misc", "delay"), "5");
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "2");
}

TEST(ProgramTray, StatusNotifierTrayLeftClickComposes) {
    const XvfbServer x("800x600x24");
    ASSERT_FALSE(x.display().isEmpty());
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
    Velomira program(home, home.env(x.display(), bus.address())
                               << "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":detect_leaks=0");

    // The panel draws the icon itself; find it by the icon's blue tile.
    QRect icon;
    ASSERT_TRUE(WaitUntil(
        [&] { return (icon = FindColour(Screenshot(x.display()), QColor(0x2e, 0x6d, 0xb4))).width() > 4; },
        10000));
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
    Velomira program(home, home.env(x.display()));
    // The picture is written after its name is remembered.
    ASSERT_TRUE(WaitUntil([&] { return QImage(home.wallpaper).size() == QSize(640, 480); }, 10000));
    EXPECT_EQ(home.setting("misc", "letztes_bild"), "1");
    EXPECT_EQ(program.terminate(), 0);
    EXPECT_EQ(home.setting("misc", "delay"), "60");
    EXPECT_EQ(home.setting("path", "1"), home.pictures + "/")
        << "the working folder is the first start's folder";
}

// "/c" opens the settings window beside the icon; the layout holds at 100 % and 200 %.
TEST(ProgramTray, ConfigStartShowsWindowAndIcon) {
    const struct {
        const char* scale;
        const char* geometry;
        const char* screenshot;
    } cases[] = {{"1", "800x600x24", "main-window-config.png"}, {"2", "1600x1300x24", "main-window-200.png"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        const XvfbServer x(c.geometry);
        const Trayer trayer(x.display());
        ASSERT_TRUE(trayer.ready());
        Home home;
        home.usedBefore();
        Velomira program(home, home.env(x.display()) << QString("QT_SCALE_FACTOR=") + c.scale, {"/C"});
        QList<WindowBox> window;
        ASSERT_TRUE(WaitUntil(
            [&] { return !(window = VisibleWindows(x.display(), "--name", "^Velomira$")).isEmpty(); }));
        EXPECT_TRUE(WaitUntil([&] { return programWindows(x.display()).size() == 2; })) << "icon and window";
        QThread::msleep(300);
        const QImage shot = Screenshot(x.display(), c.screenshot);
        EXPECT_TRUE(shot.rect().contains(window.first().rect)) << "the window fits the screen";
        EXPECT_EQ(program.terminate(), 0);
    }
}

// The velomira executable as a user runs it: without a display, on a plain X server, on a headless
// sway and on sessions whose desktop cannot be reached.
#include "TestSupport.h"
#include "Version.h"
#include "shell/DesktopSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// A private installation: bin/velomira and the chosen libraries under lib/velomira, with its own
// home and settings folders.
struct Installation {
    TempDir tmp;
    explicit Installation(const QStringList& libraries = {"libVelomiraIS.so", "libVelomiraISE.so"}) {
        for (const char* folder : {"bin", VELOMIRA_LIBDIR, "cfg/Korbinheim", "Bilder"})
            QDir().mkpath(tmp.file(folder));
        QFile::copy(VELOMIRA_PROGRAM, program());
        QFile::setPermissions(program(), QFile::permissions(VELOMIRA_PROGRAM));
        for (const QString& lib : libraries)
            QFile::copy(VELOMIRA_BINARY_DIR "/" VELOMIRA_LIBDIR "/" + lib,
                        tmp.file(VELOMIRA_LIBDIR "/" + lib));
    }
    QString program() const { return tmp.file("bin/velomira"); }
    QString settingsFile() const { return tmp.file("cfg/Korbinheim/Velomira.ini"); }
    QString wallpaper() const { return tmp.file("Velomira.bmp"); }
    // Pictures a.jpg (red over blue) and b.jpg (blue over red), shown in name order and magnified. Red
    // and blue are far apart: a swapped channel or an upside-down picture shows.
    void addTwoPictures() const {
        for (const auto& [name, top, bottom] : {std::tuple{"a.jpg", kRed, kBlue}, {"b.jpg", kBlue, kRed}}) {
            QImage picture(160, 100, QImage::Format_RGB888);
            picture.fill(bottom);
            QPainter(&picture).fillRect(0, 0, 160, 50, top);
            picture.save(tmp.file("Bilder/") + name, "JPEG", 100);
        }
        WriteFile(settingsFile(), ("[misc]\nreihenfolge=1\nmagnify=1\nbmpverzeichnis=" + tmp.path() +
                                   "\n[path]\n1=" + tmp.file("Bilder") + "\n")
                                      .toUtf8());
    }
    // Runs it without a display or desktop, unless `env` ("NAME=value") names one.
    ProcessResult run(const QStringList& args, const QStringList& env = {}) const {
        return RunProgram(
            program(), args,
            QStringList{"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"),
                        "WAYLAND_DISPLAY=", "DISPLAY=", "XDG_CURRENT_DESKTOP=", "QT_QPA_PLATFORM="} +
                env);
    }
    static inline const QColor kRed{200, 30, 40}, kBlue{20, 60, 220};
};

// sway on the headless backend, with one 640x400 output at scale 2. Sway refuses to run as root,
// so then it runs as a system user made for the tests.
class HeadlessSway {
public:
    HeadlessSway() {
        QStringList command = {"sway", "-c", runtime_.file("config")};
        if (::geteuid() == 0) {
            if (!::getpwnam("velomira-test"))
                RunProgram("useradd",
                           {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", "velomira-test"});
            const passwd* user = ::getpwnam("velomira-test");
            if (!user || ::chown(qPrintable(runtime_.path()), user->pw_uid, user->pw_gid) != 0) return;
            command =
                QStringList{"setpriv", "--reuid=velomira-test", "--regid=velomira-test", "--clear-groups"} +
                command;
        }
        WriteFile(runtime_.file("config"), "output * mode 640x400 scale 2\n");
        sway_.emplace(command.takeFirst(), command,
                      QStringList{"XDG_RUNTIME_DIR=" + runtime_.path(), "HOME=" + runtime_.path(),
                                  "WAYLAND_DISPLAY=", "DISPLAY=", "WLR_BACKENDS=headless",
                                  "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
        WaitUntil([&] {
            return !(socket_ = QDir(runtime_.path()).entryList({"wayland-?"}, QDir::System)).isEmpty();
        });
    }
    // The variables that reach it; empty when it did not start.
    QStringList env() const {
        if (socket_.isEmpty()) return {};
        return {"XDG_RUNTIME_DIR=" + runtime_.path(), "WAYLAND_DISPLAY=" + socket_.front(),
                "DISPLAY=", "XDG_CURRENT_DESKTOP=sway"};
    }
    QString file(const QString& name) const { return runtime_.file(name); }
    // Red ("r") or not ("-") at the middle of the top and of the bottom half of the screen.
    QString halves() const {
        RunProgram("grim", {runtime_.file("shot.png")}, env());
        const QImage shot(runtime_.file("shot.png"));
        const auto red = [&](int y) {
            return shot.size() == QSize(640, 400) && qRed(shot.pixel(320, y)) > 128;
        };
        return QString(red(100) ? "r" : "-") + (red(300) ? "r" : "-");
    }

private:
    TempDir runtime_;
    QStringList socket_;
    std::optional<Background> sway_;
};

} // namespace

TEST(Program, VersionAndUnknownArguments) {
    EXPECT_EQ(RunProgram(VELOMIRA_PROGRAM, {"--version"}).out, "velomira " VELOMIRA_VERSION "\n");
    for (const char* line : {"--bogus", "/x", "--next extra", "/c --next", "--next --next", "--size 640x480",
                             "--next --size 0x480", "--next --size 99999x2"}) {
        const QStringList args = QString(line).split(' ');
        const ProcessResult bad = RunProgram(VELOMIRA_PROGRAM, args);
        EXPECT_EQ(bad.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(bad.out.isEmpty() && bad.err.contains("Aufruf: velomira")) << bad.err.toStdString();
    }
}

TEST(Program, MissingLibraryIsNamedAndEndsTheProgram) {
    for (const auto& [present, missing] :
         {std::pair<QString, QString>{"libVelomiraISE.so", "libVelomiraIS.so"},
          {"libVelomiraIS.so", "libVelomiraISE.so"}}) {
        const Installation install({present});
        const ProcessResult r = install.run({"--size", "64x48", "--next"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("Die benötigte Datei " + missing +
                                   " fehlt.\nBitte die Komplettinstallation durchführen."))
            << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(install.settingsFile())); // nothing else happened
    }
}

// velomira --next on an X server with no desktop: each run shows the next picture in the order,
// upright and filling the screen, on a fresh root pixmap that both root properties name, and
// remembers where it is. The picture is made for the primary monitor; a wider one beside it shows
// it whole as well, filled to it and centred.
TEST(Program, NextShowsTheNextPictureOnTheRootWindow) {
    const Installation install;
    const XvfbServer x("800x200x24");
    ASSERT_FALSE(x.display().isEmpty());
    for (const QString monitor : {"*A 320/80x200/50+0+0 screen", "B 480/120x120/30+320+0 none"})
        RunProgram("xrandr", QStringList{"-display", x.display(), "--setmonitor"} + monitor.split(' '));
    const ScopedEnv display("DISPLAY", x.display());
    install.addTwoPictures();
    const auto property = [&](const char* name) {
        return RunProgram("xprop", {"-display", x.display(), "-root", name}).out.trimmed().section(' ', -1);
    };
    QString pixmap;
    for (const auto& [position, redTop] : {std::pair{1, true}, {2, false}, {1, true}}) {
        const ProcessResult r = install.run({"--next"}, {"DISPLAY=" + x.display()});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QImage(install.wallpaper()).size(), QSize(320, 200)); // the primary's size
        // A quarter above and below the middle of each monitor, near its left edge (a picture fitted
        // with bars leaves it black).
        for (const auto& [at, upper] : {std::pair{QPoint(4, 49), true},
                                        {QPoint(4, 149), false},
                                        {QPoint(324, 29), true},
                                        {QPoint(324, 89), false}})
            EXPECT_EQ(QColor::fromRgb(RootPixel(at.x(), at.y())).red() > 128, upper == redTop) << position;
        EXPECT_TRUE(
            ReadFile(install.settingsFile()).contains("letztes_bild=" + QByteArray::number(position)));
        EXPECT_NE(property("_XROOTPMAP_ID"), pixmap);
        pixmap = property("_XROOTPMAP_ID");
        EXPECT_EQ(property("ESETROOT_PMAP_ID"), pixmap);
    }
}

// Each run hands the next picture, composed at the output's size in pixels, to a fresh swaybg that
// leaves the caller's terminal alone; the screenshot shows it.
TEST(Sway, NextShowsEachPictureInTurn) {
    for (const char* program : {"sway", "swaybg", "grim"})
        if (QStandardPaths::findExecutable(program).isEmpty()) GTEST_SKIP() << program << " is not installed";
    const HeadlessSway sway;
    ASSERT_FALSE(sway.env().isEmpty()) << "sway did not start";
    const Installation install;
    install.addTwoPictures();
    for (const QString expected : {"r-", "-r"}) {
        const ProcessResult r = install.run({"--next"}, sway.env());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // swaybg writes to /dev/null, in a session of its own.
        const QString swaybg = "/proc/" + ReadFile(sway.file("velomira-swaybg.pid")).trimmed();
        for (const char* fd : {"/fd/1", "/fd/2"})
            EXPECT_EQ(QFile::symLinkTarget(swaybg + fd), "/dev/null");
        EXPECT_NE(QString(ReadFile(swaybg + "/stat")).section(' ', 5, 5).toInt(), ::getsid(0));
        EXPECT_EQ(QImage(install.wallpaper()).size(), QSize(640, 400));
        EXPECT_TRUE(WaitUntil([&] { return sway.halves() == expected; })) << sway.halves().toStdString();
    }
}

// No display that Qt can open: --next composes at the default size and says so, the tray says why
// it cannot start and points to --next. A desktop that is named but does not answer gives status 3.
TEST(Sway, UnreachableDesktops) {
    const DbusSession bus; // KDE's shell is not on it
    ASSERT_FALSE(bus.address().isEmpty());
    // Rows: arguments|XDG_CURRENT_DESKTOP|exit status|part of the message.
    for (const QString row : {"--next||0|keine Anzeige erreichbar (WAYLAND_DISPLAY=\"wayland-gone\"",
                              "||1|Ohne Anzeige erzeugt \"velomira --next\"",
                              "--next|KDE|3|KDE Plasma: Plasma-Shell nicht erreichbar",
                              "--next|LXDE|3|LXDE: kein \"pcmanfm --desktop\" läuft"}) {
        const QStringList cell = row.split('|');
        const Installation install;
        install.addTwoPictures();
        const ProcessResult r = install.run(cell[0].split(' ', Qt::SkipEmptyParts),
                                            {"WAYLAND_DISPLAY=wayland-gone", "XDG_CURRENT_DESKTOP=" + cell[1],
                                             "DBUS_SESSION_BUS_ADDRESS=" + bus.address()});
        EXPECT_EQ(r.exitCode, cell[2].toInt()) << row.toStdString();
        EXPECT_TRUE(r.err.contains(cell[3])) << r.err.toStdString();
        const QSize written = QImage(install.wallpaper()).size();
        EXPECT_EQ(written, cell[0].isEmpty() ? QSize(0, 0) : QSize(1920, 1080)) << row.toStdString();
    }
}

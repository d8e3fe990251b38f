// velomira --next on a headless sway, and on sessions whose desktop cannot be reached.
#include "TestSupport.h"
#include "shell/DesktopSupport.h"

#include <pwd.h>
#include <unistd.h>

namespace {

// A settings folder whose picture folder holds a.jpg (red over blue) and b.jpg (blue over red).
struct Pictures {
    TempDir tmp;
    QStringList env;
    explicit Pictures(const QStringList& session) {
        QDir().mkpath(tmp.file("cfg/Korbinheim")), QDir().mkpath(tmp.file("Bilder"));
        for (const auto& [name, top, bottom] :
             {std::tuple{"a.jpg", Qt::red, Qt::blue}, {"b.jpg", Qt::blue, Qt::red}}) {
            QImage picture(160, 100, QImage::Format_RGB888);
            picture.fill(bottom);
            QPainter(&picture).fillRect(0, 0, 160, 50, top);
            picture.save(tmp.file("Bilder/") + name, "JPEG", 100);
        }
        WriteFile(tmp.file("cfg/Korbinheim/Velomira.ini"),
                  ("[misc]\nreihenfolge=1\nmagnify=1\nbmpverzeichnis=" + tmp.path() +
                   "\n[path]\n1=" + tmp.file("Bilder") + "\n")
                      .toUtf8());
        env = QStringList{"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"), "QT_QPA_PLATFORM="} +
              session;
    }
    ProcessResult run(const QStringList& args) const { return RunProgram(VELOMIRA_PROGRAM, args, env); }
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

// Each run hands the next picture, composed at the output's size in pixels, to a fresh swaybg that
// leaves the caller's terminal alone; the screenshot shows it.
TEST(Sway, NextShowsEachPictureInTurn) {
    for (const char* program : {"sway", "swaybg", "grim"})
        if (QStandardPaths::findExecutable(program).isEmpty()) GTEST_SKIP() << program << " is not installed";
    const HeadlessSway sway;
    ASSERT_FALSE(sway.env().isEmpty()) << "sway did not start";
    const Pictures pictures(sway.env());
    for (const QString expected : {"r-", "-r"}) {
        const ProcessResult r = pictures.run({"--next"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // swaybg writes to /dev/null, in a session of its own.
        const QString swaybg = "/proc/" + ReadFile(sway.file("velomira-swaybg.pid")).trimmed();
        for (const char* fd : {"/fd/1", "/fd/2"})
            EXPECT_EQ(QFile::symLinkTarget(swaybg + fd), "/dev/null");
        EXPECT_NE(QString(ReadFile(swaybg + "/stat")).section(' ', 5, 5).toInt(), ::getsid(0));
        EXPECT_EQ(QImage(pictures.tmp.file("Velomira.bmp")).size(), QSize(640, 400));
        EXPECT_TRUE(WaitUntil([&] { return sway.halves() == expected; })) << sway.halves().toStdString();
    }
}

// No display that Qt can open: --next composes at the default size and says so, the tray says why
// it cannot start. A desktop that is named but does not answer gives status 3.
TEST(Sway, UnreachableDesktops) {
    const DbusSession bus; // KDE's shell is not on it
    ASSERT_FALSE(bus.address().isEmpty());
    // Rows: arguments|XDG_CURRENT_DESKTOP|exit status|part of the message.
    for (const QString row :
         {"--next||0|keine Anzeige erreichbar (WAYLAND_DISPLAY=\"wayland-gone\"",
          "||1|keine Anzeige erreichbar", "--next|KDE|3|KDE Plasma: Plasma-Shell nicht erreichbar",
          "--next|LXDE|3|LXDE: kein \"pcmanfm --desktop\" läuft"}) {
        const QStringList cell = row.split('|');
        const Pictures pictures({"WAYLAND_DISPLAY=wayland-gone", "DISPLAY=", "XDG_CURRENT_DESKTOP=" + cell[1],
                                 "DBUS_SESSION_BUS_ADDRESS=" + bus.address()});
        const ProcessResult r = pictures.run(cell[0].split(' ', Qt::SkipEmptyParts));
        EXPECT_EQ(r.exitCode, cell[2].toInt()) << row.toStdString();
        EXPECT_TRUE(r.err.contains(cell[3])) << r.err.toStdString();
        const QSize written = QImage(pictures.tmp.file("Velomira.bmp")).size();
        EXPECT_EQ(written, cell[0].isEmpty() ? QSize(0, 0) : QSize(1920, 1080)) << row.toStdString();
    }
}

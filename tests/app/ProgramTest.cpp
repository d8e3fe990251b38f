// The velomira executable as a user runs it.
#include "TestSupport.h"
#include "Version.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

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
    ProcessResult run(const QStringList& args, const QString& display = "") const {
        return RunProgram(program(), args,
                          {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"), "WAYLAND_DISPLAY=",
                           "DISPLAY=" + display, "XDG_CURRENT_DESKTOP=", "QT_QPA_PLATFORM="});
    }
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
    // The tray needs a desktop; without one the user is pointed to --next.
    const ProcessResult tray = Installation().run({});
    EXPECT_EQ(tray.exitCode, 1);
    EXPECT_TRUE(tray.err.contains("--next")) << tray.err.toStdString();
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
    const QColor red(200, 30, 40), blue(20, 60, 220);
    for (const auto& [name, top, bottom] : {std::tuple{"a.jpg", red, blue}, {"b.jpg", blue, red}}) {
        QImage picture(160, 100, QImage::Format_RGB888);
        picture.fill(bottom);
        QPainter(&picture).fillRect(0, 0, 160, 50, top);
        ASSERT_TRUE(picture.save(install.tmp.file("Bilder/") + name, "JPEG", 100));
    }
    WriteFile(install.settingsFile(),
              ("[misc]\nreihenfolge=1\nmagnify=1\nbmpverzeichnis=" + install.tmp.path() +
               "\n[path]\n1=" + install.tmp.file("Bilder") + "\n")
                  .toUtf8());
    const auto property = [&](const char* name) {
        return RunProgram("xprop", {"-display", x.display(), "-root", name}).out.trimmed().section(' ', -1);
    };
    QString pixmap;
    for (const auto& [position, top] : {std::pair{1, red}, {2, blue}, {1, red}}) {
        const ProcessResult r = install.run({"--next"}, x.display());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QImage(install.tmp.file("Velomira.bmp")).size(), QSize(320, 200)); // the primary's size
        // Red and blue far apart: a swapped channel or an upside-down picture shows. A quarter above
        // and below the middle of each monitor, near its left edge (a picture fitted with bars leaves
        // it black).
        for (const auto& [at, upper] : {std::pair{QPoint(4, 49), true},
                                        {QPoint(4, 149), false},
                                        {QPoint(324, 29), true},
                                        {QPoint(324, 89), false}})
            EXPECT_EQ(QColor::fromRgb(RootPixel(at.x(), at.y())).red() > 128, upper == (top == red))
                << position;
        EXPECT_TRUE(
            ReadFile(install.settingsFile()).contains("letztes_bild=" + QByteArray::number(position)));
        EXPECT_NE(property("_XROOTPMAP_ID"), pixmap);
        pixmap = property("_XROOTPMAP_ID");
        EXPECT_EQ(property("ESETROOT_PMAP_ID"), pixmap);
    }
}

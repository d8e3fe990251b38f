// The velomira executable as a user runs it.
#include "TestSupport.h"
#include "Version.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

const QString kProgram = VELOMIRA_PROGRAM;

// A private installation: bin/velomira and the chosen libraries under lib/velomira, with its own
// home and settings folders.
struct Installation {
    TempDir tmp;
    explicit Installation(const QStringList& libraries = {"libVelomiraIS.so", "libVelomiraISE.so"}) {
        QDir().mkpath(tmp.file("bin"));
        QDir().mkpath(tmp.file(VELOMIRA_LIBDIR));
        QDir().mkpath(tmp.file("cfg/Korbinheim"));
        QDir().mkpath(tmp.file("Bilder"));
        QFile::copy(kProgram, program());
        QFile::setPermissions(program(), QFile::permissions(kProgram));
        for (const QString& lib : libraries)
            QFile::copy(VELOMIRA_BINARY_DIR "/" VELOMIRA_LIBDIR "/" + lib,
                        tmp.file(VELOMIRA_LIBDIR "/" + lib));
    }
    QString program() const { return tmp.file("bin/velomira"); }
    QString settingsFile() const { return tmp.file("cfg/Korbinheim/Velomira.ini"); }
    ProcessResult run(const QStringList& args, const QStringList& env = {"DISPLAY="}) const {
        return RunProgram(
            program(), args,
            QStringList{"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"), "WAYLAND_DISPLAY="} +
                env);
    }
    void picture(const QString& name, QColor colour, QSize size = {32, 24}) const {
        QImage picture(size, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(tmp.file("Bilder/") + name, "JPEG", 100));
    }
};

} // namespace

TEST(Program, HelpVersionAndUnknownArguments) {
    const ProcessResult help = RunProgram(kProgram, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--next")) << help.out.toStdString();
    const ProcessResult version = RunProgram(kProgram, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.trimmed(), "velomira " VELOMIRA_VERSION);
    for (const QStringList& args :
         {QStringList{"--bogus"}, QStringList{"/x"}, QStringList{"--next", "extra"}}) {
        const ProcessResult bad = RunProgram(kProgram, args);
        EXPECT_EQ(bad.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(bad.out.isEmpty());
        EXPECT_TRUE(bad.err.contains("Aufruf: velomira")) << bad.err.toStdString();
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
        const ProcessResult r = install.run({"--next", "--size", "64x48"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("Die benötigte Datei " + missing +
                                   " fehlt.\nBitte die Komplettinstallation durchführen."))
            << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(install.settingsFile())); // nothing else happened
    }
}

TEST(Program, NextRemembersThePosition) {
    const Installation install;
    install.picture("a.jpg", Qt::gray);
    install.picture("b.jpg", Qt::gray);
    WriteFile(install.settingsFile(),
              ("[misc]\nreihenfolge=1\n[path]\n1=" + install.tmp.file("Bilder") + "\n").toUtf8());
    for (const char* expected : {"letztes_bild=1", "letztes_bild=2", "letztes_bild=1"}) {
        const ProcessResult r = install.run({"--next", "--size", "64x48"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(ReadFile(install.settingsFile()).contains(expected)) << expected;
    }
    EXPECT_EQ(QImage(install.tmp.file("Velomira.bmp")).size(), QSize(64, 48));
}

// velomira --next on an X server with no desktop: the composed picture becomes the root window's.
TEST(Program, NextShowsThePictureOnTheRootWindow) {
    const Installation install;
    const XvfbServer x("320x200x24");
    ASSERT_FALSE(x.display().isEmpty());
    install.picture("rot.jpg", QColor(200, 30, 40), {160, 100});
    WriteFile(install.settingsFile(), ("[misc]\nmagnify=1\nbmpverzeichnis=" + install.tmp.path() +
                                       "\n[path]\n1=" + install.tmp.file("Bilder") + "\n")
                                          .toUtf8());
    const ProcessResult r =
        install.run({"--next"}, {"DISPLAY=" + x.display(), "XDG_CURRENT_DESKTOP=", "QT_QPA_PLATFORM="});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(install.tmp.file("Velomira.bmp")).size(), QSize(320, 200)); // the screen's size
    const ScopedEnv display("DISPLAY", x.display());
    const uint32_t pixel = RootPixel(160, 100);
    EXPECT_NEAR(int(pixel >> 16), 200, 3);
    EXPECT_NEAR(int(pixel >> 8 & 0xff), 30, 3);
    EXPECT_NEAR(int(pixel & 0xff), 40, 3);
    EXPECT_TRUE(ReadFile(install.settingsFile()).contains("bildname=rot"));
}

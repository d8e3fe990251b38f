// The velomira executable as a user runs it.
#include "TestSupport.h"
#include "Version.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kProgram = VELOMIRA_PROGRAM;
const QString kLibDir = VELOMIRA_BINARY_DIR "/" VELOMIRA_LIBDIR;

// A private installation: bin/velomira and the chosen libraries under lib/velomira.
struct Installation {
    TempDir tmp;
    explicit Installation(const QStringList& libraries) {
        QDir().mkpath(tmp.file("bin"));
        QDir().mkpath(tmp.file(VELOMIRA_LIBDIR));
        QFile::copy(kProgram, program());
        QFile::setPermissions(program(), QFile::permissions(kProgram));
        for (const QString& lib : libraries)
            QFile::copy(kLibDir + "/" + lib, tmp.file(VELOMIRA_LIBDIR "/" + lib));
    }
    QString program() const { return tmp.file("bin/velomira"); }
    QString settingsFile() const { return tmp.file("cfg/Korbinheim/Velomira.ini"); }
    ProcessResult run(const QStringList& args) const {
        return RunProgram(
            program(), args,
            {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"), "DISPLAY=", "WAYLAND_DISPLAY="});
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
}

TEST(Program, MissingLibraryIsNamedAndEndsTheProgram) {
    struct Case {
        QStringList present;
        QString missing;
    };
    for (const Case& c :
         {Case{{"libVelomiraISE.so"}, "libVelomiraIS.so"}, Case{{"libVelomiraIS.so"}, "libVelomiraISE.so"}}) {
        const Installation install(c.present);
        const ProcessResult r = install.run({"--next", "--size", "64x48"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("Die benötigte Datei " + c.missing +
                                   " fehlt.\nBitte die Komplettinstallation durchführen."))
            << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(install.settingsFile())); // nothing else happened
    }
}

TEST(Program, NextRemembersThePosition) {
    const Installation install({"libVelomiraIS.so", "libVelomiraISE.so"});
    const ProcessResult r = install.run({"--next", "--size", "64x48"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadFile(install.settingsFile()).contains("letztes_bild="));
}

TEST(Program, TrayStartWithoutDisplayExplainsItself) {
    const Installation install({"libVelomiraIS.so", "libVelomiraISE.so"});
    const ProcessResult r = install.run({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("--next")) << r.err.toStdString();
}

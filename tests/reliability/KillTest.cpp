// SIGKILL on entry to every system call with which `velomira --next` writes its files: after each
// kill the wallpaper and the settings file must be complete, the old or the new version. The kill
// moments come from a traced complete run (strace), not from the clock, so every step of both
// writes is hit on a fast and on a slow machine alike.
#include "Scene.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QSize kScreen(1920, 1080);
const QString kCalls = "fchmod,write,fsync,rename";

QByteArray fingerprint(const QString& path) {
    return QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Sha1);
}

// Removes the temporary files a killed writer left beside `file`; returns whether there were any.
bool removeLeftovers(const QString& file) {
    QDir folder = QFileInfo(file).dir();
    const QStringList left = folder.entryList({QFileInfo(file).fileName() + ".*"}, QDir::Files);
    for (const QString& name : left)
        folder.remove(name);
    return !left.isEmpty();
}

ProcessResult traced(const Scene& scene, const QStringList& straceArgs) {
    return RunProgram("strace",
                      QStringList{"-qq", "-e", "trace=" + kCalls} + straceArgs +
                          QStringList{VELOMIRA_PROGRAM} + Scene::nextArgs(kScreen),
                      // LeakSanitizer cannot run under ptrace; the untraced runs look for leaks.
                      scene.env() << "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") +
                                         ":detect_leaks=0");
}

// The calls of a complete run, in order, each as the syscall's name and its ordinal among the calls
// of that name (what strace's inject=NAME:when=N counts).
QList<std::pair<QString, int>> callsOfACompleteRun(const Scene& scene, const QString& log) {
    const ProcessResult run = traced(scene, {"-o", log});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QList<std::pair<QString, int>> calls;
    QMap<QString, int> seen;
    static const QRegularExpression call("^(\\w+)\\(");
    for (const QString& line : QString::fromUtf8(ReadFile(log)).split('\n')) {
        const QRegularExpressionMatch m = call.match(line);
        if (m.hasMatch()) calls.append({m.captured(1), ++seen[m.captured(1)]});
    }
    return calls;
}

} // namespace

TEST(KillTest, WallpaperAndSettingsSurviveAKillAtEveryWriteStep) {
    TempDir tmp;
    const Scene scene(tmp.path());

    // Complete runs, one per picture: the wallpapers and settings files there may be afterwards.
    QSet<QByteArray> wallpapers, settings = {fingerprint(scene.ini)};
    for (int i = 0; i < 3; ++i) {
        const ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kScreen), scene.env());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_EQ(QImage(scene.bmp).size(), kScreen);
        wallpapers.insert(fingerprint(scene.bmp));
        settings.insert(fingerprint(scene.ini));
    }
    ASSERT_EQ(wallpapers.size(), 3);
    ASSERT_EQ(settings.size(), 4);

    const QList<std::pair<QString, int>> calls = callsOfACompleteRun(scene, tmp.file("trace"));
    ASSERT_GE(calls.size(), 8) << "two files created, written, synced and renamed";
    int duringWallpaper = 0, duringSettings = 0;
    for (const auto& [name, n] : calls) {
        const std::string at = name.toStdString() + " #" + std::to_string(n);
        const ProcessResult run = traced(
            scene, {"-o", "/dev/null", "-e", QString("inject=%1:signal=KILL:when=%2").arg(name).arg(n)});
        EXPECT_NE(run.exitCode, 0) << "not killed at " << at;
        ASSERT_TRUE(wallpapers.contains(fingerprint(scene.bmp))) << "killed at " << at;
        ASSERT_TRUE(settings.contains(fingerprint(scene.ini))) << "killed at " << at;
        duringWallpaper += removeLeftovers(scene.bmp);
        duringSettings += removeLeftovers(scene.ini);
    }
    std::printf(
        "%lld kills of velomira --next: %d while writing the wallpaper, %d while saving the settings; "
        "every file complete\n",
        static_cast<long long>(calls.size()), duringWallpaper, duringSettings);
    EXPECT_GE(duringWallpaper, 3) << "created, written, synced";
    EXPECT_GE(duringSettings, 3);

    // The next write removes what killed writers left once it is old, and nothing else: not a
    // temporary still being written, not another file of a similar name.
    const QStringList stale = {scene.bmp + ".k1LLed", scene.ini + ".Ab3xY9"},
                      kept = {scene.bmp + ".wr1te5", scene.bmp + ".notes", scene.bmp + ".-note-"};
    for (const QString& file : stale + kept) {
        WriteFile(file, "left over");
        QFile f(file);
        if (file != kept[0] && f.open(QIODevice::Append))
            f.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime);
    }
    ASSERT_EQ(RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kScreen), scene.env()).exitCode, 0);
    for (const QString& file : stale)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    for (const QString& file : kept)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

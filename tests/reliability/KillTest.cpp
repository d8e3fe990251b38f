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

// A system call on the two files or their folders: its name and its ordinal among that name's calls
// on them.
struct Step {
    QString name;
    int n;
};

// The calls of a traced run, in order, as their names and whether they act on the two files or their
// folders. Other calls of the same names (the event loop's wake-ups, which come in numbers that vary
// from run to run) are listed too, since strace's inject=NAME:when=N counts them.
QList<std::pair<QString, bool>> callsIn(const Scene& scene, const QString& log) {
    QList<std::pair<QString, bool>> calls;
    static const QRegularExpression call("^(\\w+)\\(");
    for (const QString& line : QString::fromUtf8(ReadFile(log)).split('\n'))
        if (const QRegularExpressionMatch m = call.match(line); m.hasMatch())
            calls.append({m.captured(1), line.contains(scene.storage) || line.contains(scene.config)});
    return calls;
}

// Where `step` comes in `calls`: its ordinal among all calls of its name (what inject's when=N
// counts), 0 when it is not there, and how many of its name's calls on the files there are.
std::pair<int, int> find(const QList<std::pair<QString, bool>>& calls, const Step& step) {
    int all = 0, onFiles = 0;
    for (const auto& [name, onFile] : calls)
        if (name == step.name && ++all && onFile && ++onFiles == step.n) return {all, onFiles};
    return {0, onFiles};
}

// Kills the program on entry to `step`, first at `when`. Each miss takes the next ordinal from the
// trace of the run that missed, so the wake-ups between the calls cannot keep it from the step.
bool killAt(const Scene& scene, const QString& log, const Step& step, int when) {
    for (int attempt = 0; attempt < 10 && when > 0; ++attempt) {
        const QString inject = QString("inject=%1:signal=KILL:when=%2").arg(step.name).arg(when);
        const bool killed = traced(scene, {"-y", "-o", log, "-e", inject}).exitCode != 0;
        const auto [at, onFiles] = find(callsIn(scene, log), step);
        if (killed && at == when) return true;
        when = at ? at : when + step.n - onFiles; // killed before it: that many of its calls further
    }
    return false;
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

    // The calls of a complete run on the two files and their folders.
    const ProcessResult complete = traced(scene, {"-y", "-o", tmp.file("trace")});
    ASSERT_EQ(complete.exitCode, 0) << complete.err.toStdString();
    const QList<std::pair<QString, bool>> all = callsIn(scene, tmp.file("trace"));
    QList<std::pair<Step, int>> steps; // each with its ordinal in that run
    QMap<QString, int> seen;
    for (const auto& [name, onFile] : all)
        if (onFile) {
            const Step step{name, ++seen[name]};
            steps.append({step, find(all, step).first});
        }
    ASSERT_GE(steps.size(), 8) << "two files created, written, synced and renamed";
    int duringWallpaper = 0, duringSettings = 0;
    for (const auto& [step, when] : steps) {
        const std::string at = step.name.toStdString() + " #" + std::to_string(step.n);
        EXPECT_TRUE(killAt(scene, tmp.file("killed"), step, when)) << "not killed at " << at;
        ASSERT_TRUE(wallpapers.contains(fingerprint(scene.bmp))) << "killed at " << at;
        ASSERT_TRUE(settings.contains(fingerprint(scene.ini))) << "killed at " << at;
        duringWallpaper += removeLeftovers(scene.bmp);
        duringSettings += removeLeftovers(scene.ini);
    }
    std::printf(
        "%lld kills of velomira --next: %d while writing the wallpaper, %d while saving the settings; "
        "every file complete\n",
        static_cast<long long>(steps.size()), duringWallpaper, duringSettings);
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

// SIGKILL at random moments while the program writes the wallpaper and saves the settings: after
// every kill both files must be complete, the old or the new version.
#include "RecordPair.h"
#include "Scene.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <random>

namespace {

int killRuns() {
    const int runs = qEnvironmentVariableIntValue("VELOMIRA_KILL_RUNS");
    return runs > 0 ? runs : 100;
}

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

std::mt19937 seededRandom() {
    const unsigned seed = std::random_device{}();
    std::printf("kill moments from seed %u\n", seed);
    return std::mt19937(seed);
}

struct Killed {
    bool beforeExit = false; // false when the program had finished by itself
};

// Starts `program`, waits until it printed `ready` (when given) and `delayMs` more, then kills it.
Killed startAndKill(const QString& program, const QStringList& args, const QStringList& env, int delayMs,
                    const QByteArray& ready = {}) {
    QProcess process;
    process.setProcessEnvironment(EnvironmentWith(env));
    process.start(program, args);
    if (!process.waitForStarted()) return {};
    const pid_t pid = pid_t(process.processId());
    while (!ready.isEmpty() && !process.readAllStandardOutput().contains(ready) &&
           process.waitForReadyRead()) {
    }
    QThread::usleep(ulong(delayMs) * 1000);
    // Not reaped before the kill: a child that ended meanwhile is a zombie, whose pid stays its own.
    const bool running = !process.waitForFinished(0);
    if (running && pid > 0) ::kill(pid, SIGKILL);
    process.waitForFinished();
    return {running};
}

} // namespace

TEST(KillTest, WallpaperAndSettingsSurviveKillsDuringNext) {
    TempDir tmp;
    const Scene scene(tmp.path());
    const QSize screen(1920, 1080);

    // Complete runs, one per picture: the wallpapers and positions the files may hold afterwards.
    QSet<QByteArray> wallpapers;
    QSet<QString> positions = {"0"};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i) {
        const ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(screen), scene.env());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_EQ(QImage(scene.bmp).size(), screen);
        wallpapers.insert(fingerprint(scene.bmp));
        positions.insert(SettingsStore(scene.ini).ReadSetting("misc", "letztes_bild", ""));
    }
    ASSERT_EQ(wallpapers.size(), 3);
    const int runMs = int(clock.elapsed() / 3);

    std::mt19937 random = seededRandom();
    int kills = 0, duringWallpaper = 0, duringSettings = 0;
    for (int i = 0; i < killRuns(); ++i) {
        const int delay = std::uniform_int_distribution<int>(0, runMs)(random);
        kills += startAndKill(VELOMIRA_PROGRAM, Scene::nextArgs(screen), scene.env(), delay).beforeExit;
        ASSERT_TRUE(wallpapers.contains(fingerprint(scene.bmp))) << "kill after " << delay << " ms";
        const IniDocument settings = SettingsStore(scene.ini).load();
        ASSERT_TRUE(HoldsRecord(settings, RecordA(scene.folder), "letztes_bild")) << "kill after " << delay;
        ASSERT_TRUE(positions.contains(settings.value("misc", "letztes_bild").value_or("")));
        duringWallpaper += removeLeftovers(scene.bmp);
        duringSettings += removeLeftovers(scene.ini);
    }
    std::printf("%d kills of velomira --next (%d ms a run): %d while writing the wallpaper, %d while saving "
                "the settings; every file complete\n",
                kills, runMs, duringWallpaper, duringSettings);
    EXPECT_GT(kills, killRuns() / 2);
    EXPECT_GT(duringWallpaper, 0);
}

TEST(KillTest, SettingsSurviveKillsDuringSave) {
    TempDir tmp;
    const Scene scene(tmp.path());
    const Settings a = RecordA(scene.folder), b = RecordB(scene.folder);

    std::mt19937 random = seededRandom();
    int kills = 0, duringSave = 0, recordB = 0;
    for (int i = 0; i < killRuns(); ++i) {
        const int delay = std::uniform_int_distribution<int>(0, 20)(random);
        kills +=
            startAndKill(VELOMIRA_SETTINGS_SAVER, {scene.ini, scene.folder}, {}, delay, "saved").beforeExit;
        const IniDocument settings = SettingsStore(scene.ini).load();
        const bool isB = HoldsRecord(settings, b);
        ASSERT_TRUE(isB || HoldsRecord(settings, a)) << "kill after " << delay << " ms";
        recordB += isB;
        duringSave += removeLeftovers(scene.ini);
    }
    std::printf("%d kills while saving the settings: %d left a temporary file, %d found record B; every file "
                "complete\n",
                kills, duringSave, recordB);
    EXPECT_EQ(kills, killRuns());
    EXPECT_GT(duringSave, 0);
}

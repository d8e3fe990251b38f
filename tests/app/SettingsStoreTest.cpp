#include "app/SettingsStore.h"

#include "TestSupport.h"

#include <QFile>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files left beside the settings file (a stray temporary file would be one).
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

TEST(SettingsStore, WritesAPrivateFileAndReadsItBack) {
    TempDir tmp;
    const SettingsStore store(tmp.file("a/b/Velomira.ini"));
    EXPECT_EQ(store.ReadSetting("misc", "delay", 60), "60");
    EXPECT_TRUE(store.ReadSection("path").empty());

    ASSERT_TRUE(store.WriteSetting("misc", "delay", "15"));
    ASSERT_TRUE(store.WriteSetting("path", "1", "/home/x/Bilder/"));
    EXPECT_EQ(store.ReadSetting("misc", "delay", 60), "15");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(store.path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(store.DeleteSection("path"));
    EXPECT_TRUE(store.ReadSection("path").empty());
    EXPECT_EQ(store.ReadSetting("misc", "delay", 60), "15");
    EXPECT_EQ(filesIn(tmp.file("a/b")), QStringList{"Velomira.ini"});
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome) {
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/cfg");
    EXPECT_EQ(SettingsStore::defaultPath(), "/somewhere/cfg/Korbinheim/Velomira.ini");
    qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(SettingsStore::defaultPath(), QDir::homePath() + "/.config/Korbinheim/Velomira.ini");
    qputenv("XDG_CONFIG_HOME", old);
}

// Writing into a folder that is read-only, and rewriting a file that cannot be read, must fail
// and leave the old file exactly as it was.
TEST(SettingsStore, FailedWritesLeaveTheOldFileIntact) {
    const int result = RunUnprivileged([] {
        char folder[] = "/tmp/velomira-store-XXXXXX";
        if (!::mkdtemp(folder)) return 10;
        const SettingsStore store(QString(folder) + "/Velomira.ini");
        if (!store.WriteSetting("misc", "delay", "15")) return 11;
        const QByteArray before = ReadFile(store.path());

        ::chmod(folder, 0555);
        const bool readOnlyWrite = store.WriteSetting("misc", "delay", "20");
        ::chmod(folder, 0755);

        ::chmod(QFile::encodeName(store.path()).constData(), 0);
        const bool unreadableWrite = store.WriteSetting("misc", "hgfarbe", "255");
        ::chmod(QFile::encodeName(store.path()).constData(), 0600);

        const bool intact =
            ReadFile(store.path()) == before && filesIn(folder) == QStringList{"Velomira.ini"};
        QDir(folder).removeRecursively();
        if (readOnlyWrite) return 1;
        if (unreadableWrite) return 2;
        return intact ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
}

TEST(SettingsStore, FullDiskLeavesTheOldFileIntact) {
    TempDir tmp;
    const SettingsStore store(tmp.file("Velomira.ini"));
    ASSERT_TRUE(store.WriteSetting("misc", "delay", "15"));
    const QByteArray before = ReadFile(store.path());

    // A file size limit makes the write fail as a full disk would.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = store.WriteSetting("textstempel", "text", QString(1000, u'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(store.path()), before);
    EXPECT_EQ(filesIn(tmp.path()), QStringList{"Velomira.ini"});
}

#include "app/SettingsStore.h"

#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(SettingsStore, WritesAPrivateFileAndReadsItBack) {
    TempDir tmp;
    const SettingsStore store(tmp.file("a/b/Velomira.ini"));
    EXPECT_EQ(store.ReadSetting("misc", "delay", 60), "60");
    ASSERT_TRUE(store.WriteSetting("misc", "delay", "15"));
    ASSERT_TRUE(store.WriteSetting("path", "1", "/home/x/Bilder/"));
    EXPECT_EQ((QFile::permissions(store.path()) & 0x0077).toInt(), 0); // private to its owner
    ASSERT_TRUE(store.DeleteSection("path"));
    EXPECT_TRUE(store.ReadSection("path").empty());
    EXPECT_EQ(store.ReadSetting("misc", "delay", 60), "15");
    EXPECT_EQ(QDir(tmp.file("a/b")).entryList(QDir::Files | QDir::Hidden), QStringList{"Velomira.ini"});
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome) {
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/somewhere/cfg");
        EXPECT_EQ(SettingsStore::defaultPath(), "/somewhere/cfg/Korbinheim/Velomira.ini");
    }
    const ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(SettingsStore::defaultPath(), QDir::homePath() + "/.config/Korbinheim/Velomira.ini");
}

// The settings file as users edit it and as the program writes it.
#include "app/Settings.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct SettingsFixture : ::testing::Test {
    TempDir tmp;
    SettingsStore store{tmp.file("cfg/Velomira.ini")};
    Settings load(const QString& text) {
        QDir().mkpath(tmp.file("cfg"));
        WriteFile(store.path(), text.toUtf8());
        return LoadSettings(store).settings;
    }
};

} // namespace

TEST_F(SettingsFixture, DelayAndStartDelay) {
    const std::tuple<QString, int, int> cases[] = {
        {"", 0, 60}, {"delay=0", 0, 60}, {"delay=15", 1, 15}, {"delay=1441", 1, 60}, {"delay= 30min", 1, 30}};
    for (const auto& [line, startDelay, delay] : cases) {
        load("[misc]\n" + line + "\n");
        const LoadedSettings loaded = LoadSettings(store);
        EXPECT_EQ(loaded.StartDelay, startDelay) << line.toStdString();
        EXPECT_EQ(loaded.settings.misc.delay, delay) << line.toStdString();
    }
}

// A file edited by hand or damaged: what can be read is read, missing folders are replaced.
TEST_F(SettingsFixture, HandEditedFileIsReadAndMissingFoldersReplaced) {
    QDir().mkpath(tmp.file("b"));
    QFile::link(tmp.file("b"), tmp.file("a"));       // a linked folder counts as a folder,
    QFile::link(tmp.file("gone"), tmp.file("dead")); // a dangling link does not
    Settings s = load("\uFEFF [MISC]\r\n\x01garbage\nbmpverzeichnis=" + tmp.path() + "\r\nReihenfolge=2\n" +
                      "=no name\n; a comment\nreihenfolge=1x\nhgfarbe=&HFF\n[unterminated\n[textstempel]\n" +
                      "text = Grüße ; = #%\\Zeile\\2\\\noffsetx\t= -5\n[kalender] \nzeilenhöhe=40\n" +
                      "ferienländer=BY\n[ path ]\n7=" + tmp.file("b") + "\n2=" + tmp.file("a") +
                      "/\n3=\n4=" + tmp.file("dead"));
    // Blanks around headers and names are dropped, in values kept, as is a backslash that escapes
    // nothing; names without case, the later value counts, digits up to the x; "&HFF" is no number.
    EXPECT_EQ(QList({s.misc.reihenfolge, s.misc.hgfarbe, s.textstempel.offsetx, s.kalender.zeilenhöhe}),
              QList({1, 0, -5, 40}));
    EXPECT_EQ(QStringList({s.misc.bmpverzeichnis, s.textstempel.text, s.kalender.ferienländer}),
              QStringList({tmp.path(), " Grüße ; = #%\\Zeile\\2\\", "BY"}));
    EXPECT_EQ(s.PictureFolders, QStringList({tmp.file("b") + "/", tmp.file("a") + "/"}));
    ASSERT_TRUE(SaveSettings(store, s)); // renumbered in their order
    EXPECT_TRUE(ReadFile(store.path())
                    .contains(("[path]\n1=" + tmp.file("b") + "/\n2=" + tmp.file("a") + "/\n").toUtf8()));

    // A storage folder that is gone: the documents folder, or the home folder when there is none.
    const ScopedEnv home("HOME", tmp.file("home"));
    s = load("[misc]\nbmpverzeichnis=" + tmp.file("nowhere") + "\n[path]\n1=" + tmp.file("gone") + "\n");
    EXPECT_EQ(s.misc.bmpverzeichnis, tmp.file("home"));
    EXPECT_EQ(s.PictureFolders, QStringList{QDir::currentPath() + "/"});
    QDir().mkpath(tmp.file("home/Documents"));
    EXPECT_EQ(LoadSettings(store).settings.misc.bmpverzeichnis, tmp.file("home/Documents"));
}

// What the program saves it reads back, from a file only its owner may read, with no stray files.
TEST_F(SettingsFixture, SavedValuesReadBack) {
    Settings s = Settings::defaults();
    s.textstempel.text = " Zeile 1\nZeile 2\r\n[x]; =#\\n\\ä \\";
    s.textstempel.offsety = -120, s.misc.delay = 77;
    ASSERT_TRUE(SaveSettings(SettingsStore(tmp.file("neu/Velomira.ini")), s));
    const Settings back = LoadSettings(SettingsStore(tmp.file("neu/Velomira.ini"))).settings;
    EXPECT_EQ(back.textstempel.text, s.textstempel.text);
    EXPECT_EQ(QList({back.textstempel.offsety, back.misc.delay}), QList({-120, 77}));
    EXPECT_EQ((QFile::permissions(tmp.file("neu/Velomira.ini")) & 0x0077).toInt(), 0);
    s.PictureFolders.clear(); // no folders: no [path] section at all
    ASSERT_TRUE(SaveSettings(SettingsStore(tmp.file("neu/Velomira.ini")), s));
    EXPECT_FALSE(ReadFile(tmp.file("neu/Velomira.ini")).contains("[path]"));
    EXPECT_EQ(QDir(tmp.file("neu")).entryList(QDir::Files | QDir::Hidden), QStringList{"Velomira.ini"});
}

#include "app/Settings.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct SettingsFixture : ::testing::Test {
    TempDir tmp;
    SettingsStore store{tmp.file("cfg/Korbinheim/Velomira.ini")};

    void writeIni(const QByteArray& text) {
        QDir().mkpath(tmp.file("cfg/Korbinheim"));
        WriteFile(store.path(), text);
    }
};

} // namespace

TEST_F(SettingsFixture, FirstStartAndMissingFolders) {
    LoadedSettings loaded = LoadSettings(store);
    EXPECT_EQ(loaded.StartDelay, 0);
    EXPECT_EQ(loaded.settings.misc.bmpverzeichnis, SpecialFolderPath(CSIDL_PERSONAL));
    EXPECT_EQ(loaded.settings.PictureFolders, QStringList{QDir::currentPath() + "/"});

    writeIni(("[misc]\nbmpverzeichnis=" + tmp.file("nowhere") + "\n[path]\n1=" + tmp.file("gone") + "\n")
                 .toUtf8());
    loaded = LoadSettings(store);
    EXPECT_EQ(loaded.settings.misc.bmpverzeichnis, SpecialFolderPath(CSIDL_PERSONAL));
    EXPECT_EQ(loaded.settings.PictureFolders, QStringList{QDir::currentPath() + "/"});
}

TEST_F(SettingsFixture, DelayAndStartDelay) {
    struct Case {
        const char* stored; // nullptr: no value stored
        int startDelay, delay;
    } const cases[] = {{nullptr, 0, 60}, {"0", 0, 60},  {"15", 1, 15},  {"1440", 1, 1440},
                       {"1441", 1, 60},  {"-5", 1, 60}, {"abc", 0, 60}, {" 30min", 1, 30}};
    for (const Case& c : cases) {
        writeIni(c.stored ? QByteArray("[misc]\ndelay=") + c.stored + "\n" : QByteArray("[misc]\n"));
        const LoadedSettings loaded = LoadSettings(store);
        EXPECT_EQ(loaded.StartDelay, c.startDelay) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(loaded.settings.misc.delay, c.delay) << (c.stored ? c.stored : "(none)");
    }
}

TEST_F(SettingsFixture, HandEditedFileIsReadAndFoldersRenumberedOnSave) {
    QDir().mkpath(tmp.file("b"));
    QDir().mkpath(tmp.file("a"));
    writeIni(("[misc]\nbmpverzeichnis=" + tmp.path() +
              "\nreihenfolge=1\n[textstempel]\ntext=Grüße ; = #\noffsetx=-5\n"
              "[kalender]\nzeilenhöhe=40\nferienländer=BY\nmüll=1\n[path]\n7=" +
              tmp.file("b") + "\n2=" + tmp.file("a") + "/\n3=\n4=" + tmp.file("gone") + "\n")
                 .toUtf8());
    Settings s = LoadSettings(store).settings;
    EXPECT_EQ(s.misc.bmpverzeichnis, tmp.path());
    EXPECT_EQ(s.misc.reihenfolge, 1);
    EXPECT_EQ(s.textstempel.text, "Grüße ; = #");
    EXPECT_EQ(s.textstempel.offsetx, -5);
    EXPECT_EQ(s.kalender.zeilenhöhe, 40);
    EXPECT_EQ(s.kalender.ferienländer, "BY");
    EXPECT_EQ(s.kalender.müll, 1);
    EXPECT_EQ(s.PictureFolders, QStringList({tmp.file("b") + "/", tmp.file("a") + "/"}));

    ASSERT_TRUE(SaveSettings(store, s));
    EXPECT_TRUE(ReadFile(store.path())
                    .contains(("[path]\n1=" + tmp.file("b") + "/\n2=" + tmp.file("a") + "/\n").toUtf8()));
}

TEST_F(SettingsFixture, SavedValuesReadBack) {
    Settings s = Settings::defaults();
    s.textstempel.text = " Zeile 1\nZeile 2; =#\\ä ";
    s.textstempel.offsety = -120;
    s.kalender.termine = 1;
    s.kalender.monatschriftart = "DejaVu Sans";
    s.misc.delay = 77;
    ASSERT_TRUE(SaveSettings(store, s));
    const Settings back = LoadSettings(store).settings;
    EXPECT_EQ(back.textstempel.text, s.textstempel.text);
    EXPECT_EQ(back.textstempel.offsety, -120);
    EXPECT_EQ(back.kalender.termine, 1);
    EXPECT_EQ(back.kalender.monatschriftart, "DejaVu Sans");
    EXPECT_EQ(back.misc.delay, 77);

    s.PictureFolders.clear(); // no folders: no [path] section at all
    ASSERT_TRUE(SaveSettings(store, s));
    EXPECT_FALSE(ReadFile(store.path()).contains("[path]"));
}

TEST_F(SettingsFixture, CorruptedFileKeepsDefaultsForWhatIsUnreadable) {
    const char text[] =
        "\x00\x01garbage\n[misc\nreihenfolge=2\n[misc]\nreihenfolge=1x\nmagnify\nhgfarbe=&HFF\n"
        "[kalender]\nspaltenbreite=40\n\xc3\x28\n[textstempel]\ntext=ok\n";
    writeIni(QByteArray(text, sizeof text - 1));
    const Settings s = LoadSettings(store).settings;
    EXPECT_EQ(s.misc.reihenfolge, 1);
    EXPECT_EQ(s.misc.magnify, 0);
    EXPECT_EQ(s.misc.hgfarbe, 0);
    EXPECT_EQ(s.kalender.spaltenbreite, 40);
    EXPECT_EQ(s.textstempel.text, "ok");
}

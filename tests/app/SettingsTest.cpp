#include "app/Settings.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <set>

namespace {

struct SettingsFixture : ::testing::Test {
    TempDir tmp;
    SettingsStore store{tmp.file("cfg/Korbinheim/Velomira.ini")};

    void writeIni(const QByteArray& text) {
        QDir().mkpath(tmp.file("cfg/Korbinheim"));
        WriteFile(store.path(), text);
    }
};

// The stored value names of the three sections, as the settings have always been named.
const std::map<std::string, std::vector<std::string>> kValueNames = {
    {"misc",
     {"bmpverzeichnis", "delay", "recursive", "reihenfolge", "passende_farbe", "letztes_bild", "hgfarbe",
      "magnify", "width", "height", "jpg", "bmp", "png", "tif", "pcx", "gif"}},
    {"textstempel",
     {"ausgeben",
      "text",
      "farbe",
      "farbelesbar",
      "schriftart",
      "hoehe",
      "deckkraft",
      "richtung",
      "ausrichtung",
      "position",
      "offsetx",
      "offsety",
      "gewicht",
      "kursiv",
      "unterstrichen",
      "durchgestrichen",
      "rahmen",
      "rahmenfarbe",
      "hintergrund",
      "hintergrundfarbe",
      "hintergrunddeckkraft"}},
    {"kalender",
     {"ausgeben",
      "position",
      "offsetx",
      "offsety",
      "spaltenbreite",
      "zeilenhöhe",
      "trennlinien",
      "trennlinienfarbe",
      "rahmen",
      "rahmenfarbe",
      "hintergrund",
      "hintergrundfarbe",
      "hintergrunddeckkraft",
      "datendatei",
      "feiertagnamen",
      "feiertagland",
      "ferienländer",
      "vormonat",
      "folgemonat",
      "müll",
      "ferien",
      "ferienlegende",
      "termine",
      "mondphasen",
      "monatfarbe",
      "monatschriftart",
      "monathoehe",
      "monatgewicht",
      "monatkursiv",
      "monatunterstrichen",
      "monatdurchgestrichen",
      "tagefarbe",
      "tageschriftart",
      "tagehoehe",
      "tagegewicht",
      "tagekursiv",
      "tageunterstrichen",
      "tagedurchgestrichen",
      "wochenfarbe",
      "wochenschriftart",
      "wochenhoehe",
      "wochengewicht",
      "wochenkursiv",
      "wochenunterstrichen",
      "wochendurchgestrichen",
      "terminemonattag",
      "terminemonattagdiffvorher",
      "terminemonattagdiffnachher",
      "terminefarbe",
      "termineschriftart",
      "terminehoehe",
      "terminegewicht",
      "terminekursiv",
      "termineunterstrichen",
      "terminedurchgestrichen",
      "samstagfarbe",
      "sonntagfarbe"}},
};

} // namespace

TEST_F(SettingsFixture, FirstStartTakesTheDefaults) {
    const LoadedSettings loaded = LoadSettings(store);
    const Settings& s = loaded.settings;
    EXPECT_EQ(loaded.StartDelay, 0);
    EXPECT_EQ(s.misc.delay, 60);
    EXPECT_EQ(s.misc.reihenfolge, 5);
    EXPECT_EQ(s.misc.passende_farbe, 1);
    EXPECT_EQ(s.misc.jpg, 1);
    EXPECT_EQ(s.misc.gif, 0);
    EXPECT_EQ(s.misc.bildname, "?????");
    EXPECT_EQ(s.misc.bmpverzeichnis, SpecialFolderPath(CSIDL_PERSONAL));
    EXPECT_EQ(s.textstempel.text, "Velomira");
    EXPECT_EQ(s.textstempel.farbe, 16777215);
    EXPECT_EQ(s.textstempel.rahmenfarbe, 65280);
    EXPECT_EQ(s.kalender.position, 5);
    EXPECT_EQ(s.kalender.zeilenhöhe, 25);
    EXPECT_EQ(s.kalender.trennlinienfarbe, 13158600);
    EXPECT_EQ(s.kalender.ferienländer, "NW");
    EXPECT_EQ(s.kalender.samstagfarbe, 16744448);
    EXPECT_TRUE(s.kalender.datendatei.endsWith("/Velomira.cfg"));
    EXPECT_EQ(s.PictureFolders, QStringList{QDir::currentPath() + "/"});
}

TEST_F(SettingsFixture, DelayAndStartDelay) {
    struct Case {
        const char* stored; // nullptr: no value stored
        int startDelay;
        int delay;
    };
    const Case cases[] = {
        {nullptr, 0, 60}, {"0", 0, 60},   {"15", 1, 15},     {"1440", 1, 1440}, {"1441", 1, 60},
        {"-5", 1, 60},    {"abc", 0, 60}, {" 30min", 1, 30}, {"", 0, 60},       {"99999999999", 1, 60},
    };
    for (const Case& c : cases) {
        writeIni(c.stored ? QByteArray("[misc]\ndelay=") + c.stored + "\n" : QByteArray("[misc]\n"));
        const LoadedSettings loaded = LoadSettings(store);
        EXPECT_EQ(loaded.StartDelay, c.startDelay) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(loaded.settings.misc.delay, c.delay) << (c.stored ? c.stored : "(none)");
    }
}

TEST_F(SettingsFixture, FoldersKeepFileOrderAndAreRenumberedOnSave) {
    QDir().mkpath(tmp.file("b"));
    QDir().mkpath(tmp.file("a"));
    writeIni(("[path]\n7=" + tmp.file("b") + "\n2=" + tmp.file("a") + "/\n3=\n4=" + tmp.file("gone") + "\n")
                 .toUtf8());
    Settings s = LoadSettings(store).settings;
    EXPECT_EQ(s.PictureFolders, QStringList({tmp.file("b") + "/", tmp.file("a") + "/"}));

    ASSERT_TRUE(SaveSettings(store, s));
    const auto saved = store.ReadSection("path");
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].name, "1");
    EXPECT_EQ(saved[0].data, tmp.file("b") + "/");
    EXPECT_EQ(saved[1].name, "2");
}

TEST_F(SettingsFixture, SavingNoFoldersRemovesThePathSection) {
    writeIni("[path]\n1=/tmp/\n5=/usr/\n");
    Settings s = Settings::defaults();
    s.PictureFolders.clear();
    ASSERT_TRUE(SaveSettings(store, s));
    EXPECT_TRUE(store.ReadSection("path").empty());
    EXPECT_FALSE(ReadFile(store.path()).contains("[path]"));
}

TEST_F(SettingsFixture, MissingStorageFolderFallsBackToDocuments) {
    writeIni(("[misc]\nbmpverzeichnis=" + tmp.file("nowhere") + "\n").toUtf8());
    EXPECT_EQ(LoadSettings(store).settings.misc.bmpverzeichnis, SpecialFolderPath(CSIDL_PERSONAL));
    writeIni(("[misc]\nbmpverzeichnis=" + tmp.path() + "\n").toUtf8());
    EXPECT_EQ(LoadSettings(store).settings.misc.bmpverzeichnis, tmp.path());
}

TEST_F(SettingsFixture, EveryValueRoundTrips) {
    // Give every field a value that differs from its default and from every other field's value.
    Settings s = Settings::defaults();
    s.misc.bmpverzeichnis = tmp.path();
    int n = 100;
    for (const SettingDef& def : SettingTable()) {
        const SettingDef::Field field = def.field(s);
        ++n;
        if (auto* number = std::get_if<int*>(&field))
            **number = n % 2 ? -n : n;
        else if (std::get<QString*>(field) != &s.misc.bmpverzeichnis)
            *std::get<QString*>(field) = QString(" %1; =#\\ä\n%2 ").arg(def.name).arg(n);
    }
    s.misc.delay = 77; // the one value with a range of its own
    ASSERT_TRUE(SaveSettings(store, s));

    // Every value name of the three sections is in the file as written.
    const IniDocument doc = store.load();
    for (const auto& [section, names] : kValueNames)
        for (const std::string& name : names)
            EXPECT_TRUE(doc.value(QString::fromStdString(section), QString::fromStdString(name)))
                << section << "/" << name;

    Settings back = LoadSettings(store).settings;
    back.misc.bildname = s.misc.bildname; // written by the composition, not by a save
    std::set<std::string> seen;
    for (const SettingDef& def : SettingTable()) {
        EXPECT_TRUE(seen.insert(std::string(def.section) + "/" + def.name).second) << def.name;
        const SettingDef::Field a = def.field(s), b = def.field(back);
        if (auto* number = std::get_if<int*>(&a))
            EXPECT_EQ(**number, *std::get<int*>(b)) << def.section << "/" << def.name;
        else
            EXPECT_EQ(*std::get<QString*>(a), *std::get<QString*>(b)) << def.section << "/" << def.name;
    }
    size_t total = 0;
    for (const auto& entry : kValueNames)
        total += entry.second.size();
    EXPECT_EQ(seen.size(), total + 1); // + bildname
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
    EXPECT_EQ(s.misc.delay, 60);
}

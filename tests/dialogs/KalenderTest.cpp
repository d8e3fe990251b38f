#include "DialogSupport.h"
#include "app/ProgramState.h"
#include "shell/KalenderDetailEinstellungen.h"
#include "shell/KalenderEinstellungen.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class KalenderTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        kalender().ferienländer = "";
        open();
    }
    void TearDown() override {
        dialog.reset();
        ProgramTest::TearDown();
    }
    void open() {
        dialog = std::make_unique<KalenderEinstellungen>();
        ShowActive(dialog.get());
    }
    Settings::Kalender& kalender() { return Program().settings.kalender; }
    template <class T> T* control(const char* name) const { return Child<T>(dialog.get(), name); }
    QColor dataFileColour() const {
        return control<QLineEdit>("DatenDatei")->palette().color(QPalette::Base);
    }

    std::unique_ptr<KalenderEinstellungen> dialog;
};

QListWidgetItem* item(QListWidget* list, const QString& kurzname) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole) == kurzname) return list->item(row);
    return nullptr;
}

// Space on the current item ticks or clears its box, as a click on the box does.
void toggle(QListWidget* list, const QString& kurzname) {
    list->setFocus();
    list->setCurrentItem(item(list, kurzname));
    QTest::keyClick(list, Qt::Key_Space);
}

} // namespace

TEST_F(KalenderTest, SchoolHolidayStatesAreStoredInTableOrder) {
    const struct {
        QStringList toggled;
        const char* ferienländer;
    } cases[] = {
        {{"BY", "NW"}, "BY;NW"},
        {{"NW", "BY"}, "BY;NW"},
        {{"TH", "BW", "NW"}, "BW;NW;TH"},
        {{"NW", "BY", "NW", "BY"}, ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.toggled.join(",").toStdString());
        kalender().ferienländer = "";
        open();
        for (const QString& state : t.toggled)
            toggle(control<QListWidget>("KalenderFerienländer"), state);
        EXPECT_EQ(kalender().ferienländer, t.ferienländer);
    }
}

TEST_F(KalenderTest, OpeningShowsTheStoredStates) {
    kalender().ferienländer = "SH;BY";
    kalender().feiertagland = "SN";
    open();
    auto* states = control<QListWidget>("KalenderFerienländer");
    ASSERT_EQ(states->count(), 15);
    QStringList ticked;
    for (int row = 0; row < states->count(); ++row)
        if (states->item(row)->checkState() == Qt::Checked) ticked << states->item(row)->text();
    EXPECT_EQ(ticked, QStringList({"Bayern", "Schleswig-Holstein"}));
    EXPECT_EQ(kalender().ferienländer, "SH;BY") << "opening alone changes nothing";
    auto* holidays = control<QListWidget>("KalenderFeiertagland");
    EXPECT_EQ(holidays->currentItem()->text(), "Sachsen");
    holidays->setCurrentItem(item(holidays, "HB"));
    EXPECT_EQ(kalender().feiertagland, "HB");
}

TEST_F(KalenderTest, NumberFieldsKeepThePreviousValueOnBadInput) {
    const struct {
        const char* field;
        const char* typed;
        const char* subject; // the message's first two lines; empty: accepted
        const char* shown;
        int Settings::Kalender::*setting;
        int value;
    } cases[] = {
        {"KalenderSpaltenbreite", "0",
         "Spaltenbreite nicht zulässig.\nWerte zwischen 10 und 100 sind erlaubt.", "30",
         &Settings::Kalender::spaltenbreite, 30},
        {"KalenderSpaltenbreite", "10", "", "10", &Settings::Kalender::spaltenbreite, 10},
        {"KalenderZeilenhöhe", "101", "Zeilenhöhe nicht zulässig.\nWerte zwischen 10 und 100 sind erlaubt.",
         "25", &Settings::Kalender::zeilenhöhe, 25},
        {"KalenderOffsetX", "-500", "", "-500", &Settings::Kalender::offsetx, -500},
        {"KalenderOffsetY", "x",
         "Y-Offset des Kalenders nicht zulässig.\nWerte zwischen -500 und 500 sind erlaubt.", "0",
         &Settings::Kalender::offsety, 0},
        {"KalenderTermineMonatTagDiffVorher", "11",
         "Termindifferenz nicht zulässig.\nWerte zwischen 0 und 10 sind erlaubt.", "2",
         &Settings::Kalender::terminemonattagdiffvorher, 2},
    };
    kalender().termine = 1;
    dialog->InitDialog();
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.field) + " <- " + t.typed);
        const Message said =
            TypeAndLeave(control<QLineEdit>(t.field), t.typed, control<QLineEdit>("DatenDatei"));
        EXPECT_EQ(said.text.section('\n', 0, 1), QString(t.subject));
        EXPECT_EQ(control<QLineEdit>(t.field)->text(), t.shown);
        EXPECT_EQ(kalender().*t.setting, t.value);
    }
}

// The field shows whether the file is there; a missing file is kept all the same.
TEST_F(KalenderTest, DataFileFieldIsColouredByExistence) {
    const QString chosen = home.file("Termine.cfg");
    WriteFile(chosen, "termin;01.04.;Ostereier\n");
    QString title, filter;
    const OnNextDialog<QFileDialog> answer([&](QFileDialog* files) {
        title = files->windowTitle();
        filter = files->nameFilters().join("|");
        files->selectFile(chosen);
        static_cast<QDialog*>(files)->accept();
    });
    control<QPushButton>("DatenDateiButton")->click();
    EXPECT_EQ(title, "Velomira - Konfigurationsdatei wählen");
    EXPECT_EQ(filter, "Konfigurationsdateien (*.cfg)");
    EXPECT_EQ(kalender().datendatei, chosen);
    EXPECT_EQ(control<QLineEdit>("DatenDatei")->text(), chosen);
    EXPECT_EQ(dataFileColour(), QColor(192, 255, 192));

    QFile::remove(chosen);
    control<QCheckBox>("mitFerien")->click(); // shows the settings again
    EXPECT_EQ(dataFileColour(), QColor(255, 128, 128));
    EXPECT_EQ(kalender().datendatei, chosen);
}

TEST_F(KalenderTest, SwitchesEnableWhatDependsOnThem) {
    const struct {
        const char* box;
        const char* dependent;
    } cases[] = {
        {"mitFerien", "mitFerienlegende"},
        {"mitTerminen", "KalenderTermineMonatTagDiffVorher"},
        {"mitTerminen", "KalenderTermineMonatTag"},
        {"KalenderTrennlinienErzeugen", "KalenderTrennlinienButton"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.box) + " -> " + t.dependent);
        auto* box = control<QCheckBox>(t.box);
        for (int i = 0; i < 2; ++i) {
            box->click();
            EXPECT_EQ(control<QWidget>(t.dependent)->isEnabled(), box->isChecked());
        }
    }
}

TEST_F(KalenderTest, FrameAndBackgroundControlsFollowTheirBoxes) {
    kalender().rahmen = 1;
    kalender().hintergrund = 1;
    dialog->InitDialog();
    ExpectFrameFollowsItsBox(control<QWidget>("FrameKalenderRahmen"),
                             control<QCheckBox>("KalenderRahmenErzeugen"), kalender().rahmen);
    ExpectFrameFollowsItsBox(control<QWidget>("FrameKalenderHintergrund"),
                             control<QCheckBox>("KalenderHGFüllen"), kalender().hintergrund);
}

TEST_F(KalenderTest, DetailsEditTheFourKindsOfText) {
    kalender().termine = 0;
    KalenderDetailEinstellungen details;
    ShowActive(&details);
    EXPECT_FALSE(Child<QWidget>(&details, "FrameTermine")->isEnabled());

    Child<QButtonGroup>(&details, "KalenderTageWeight")->button(700)->click();
    Child<QCheckBox>(&details, "KalenderWochenItalic")->click();
    EXPECT_EQ(kalender().tagegewicht, 700);
    EXPECT_EQ(kalender().wochenkursiv, 1);
    EXPECT_EQ(kalender().monatgewicht, 700) << "another group's weight stays";

    const Message said = TypeAndLeave(Child<QLineEdit>(&details, "KalenderMonatHöhe"), "0",
                                      Child<QLineEdit>(&details, "KalenderTageHöhe"));
    EXPECT_TRUE(said.text.startsWith("Texthöhe nicht zulässig.\nWerte zwischen 1 und 100"))
        << said.text.toStdString();
    EXPECT_EQ(kalender().monathoehe, 22);

    QString title;
    const OnNextDialog<QColorDialog> answer([&](QColorDialog* colours) {
        title = colours->windowTitle();
        colours->setCurrentColor(QColor(0, 0, 128));
        colours->accept();
    });
    Child<QPushButton>(&details, "KalenderSonntagFarbeButton")->click();
    EXPECT_EQ(title, "Velomira - Farbe der Sonntage");
    EXPECT_EQ(kalender().sonntagfarbe, 0x800000);
}

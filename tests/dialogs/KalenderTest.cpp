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

namespace {

class KalenderTest : public ProgramTest {
protected:
    void open(const char* ferienländer = "") {
        kalender().ferienländer = ferienländer;
        dialog = std::make_unique<KalenderEinstellungen>();
        ShowActive(dialog.get());
    }
    Settings::Kalender& kalender() { return Program().settings.kalender; }
    template <class T> T* control(const char* name) const { return Child<T>(dialog.get(), name); }
    QListWidget* states() const { return control<QListWidget>("KalenderFerienländer"); }
    std::unique_ptr<KalenderEinstellungen> dialog;
};

} // namespace

// School holiday states are stored in the order of the table, whatever order they were ticked in
// (Space on the current line ticks or clears it, as a click on the box does).
TEST_F(KalenderTest, SchoolHolidayStatesAreStoredInTableOrder) {
    const struct {
        QStringList toggled;
        const char* stored;
    } cases[] = {{{"NW", "BY"}, "BY;NW"}, {{"TH", "BW", "NW"}, "BW;NW;TH"}, {{"NW", "BY", "NW", "BY"}, ""}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.toggled.join(",").toStdString());
        open();
        states()->setFocus();
        for (const QString& state : t.toggled) {
            for (int row = 0; row < states()->count(); ++row)
                if (states()->item(row)->data(Qt::UserRole) == state) states()->setCurrentRow(row);
            QTest::keyClick(states(), Qt::Key_Space);
        }
        EXPECT_EQ(kalender().ferienländer, t.stored);
    }

    // Opening shows the stored states ticked and changes nothing.
    open("SH;BY");
    QStringList ticked;
    for (int row = 0; row < states()->count(); ++row)
        if (states()->item(row)->checkState() == Qt::Checked) ticked << states()->item(row)->text();
    EXPECT_EQ(ticked, QStringList({"Bayern", "Schleswig-Holstein"}));
    EXPECT_EQ(kalender().ferienländer, "SH;BY");
}

// A number out of range is refused with a message and the previous value comes back.
TEST_F(KalenderTest, NumberFieldsKeepThePreviousValueOnBadInput) {
    open();
    const struct {
        const char* field;
        const char* typed;
        const char* refusal; // the message's first line; empty: accepted
        int Settings::Kalender::*setting;
        int value;
    } cases[] = {
        {"KalenderSpaltenbreite", "0", "Spaltenbreite nicht zulässig.", &Settings::Kalender::spaltenbreite,
         30},
        {"KalenderSpaltenbreite", "10", "", &Settings::Kalender::spaltenbreite, 10},
        {"KalenderOffsetX", "-500", "", &Settings::Kalender::offsetx, -500},
        {"KalenderOffsetY", "x", "Y-Offset des Kalenders nicht zulässig.", &Settings::Kalender::offsety, 0}};
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.field) + " <- " + t.typed);
        const QString said =
            TypeAndLeave(control<QLineEdit>(t.field), t.typed, control<QLineEdit>("DatenDatei"));
        EXPECT_EQ(said.section('\n', 0, 0), t.refusal);
        EXPECT_EQ(control<QLineEdit>(t.field)->text(), QString::number(t.value));
        EXPECT_EQ(kalender().*t.setting, t.value);
    }
}

// The data file is chosen in a file dialog; a file that goes missing later is kept all the same.
TEST_F(KalenderTest, DataFileIsChosenAndKept) {
    open();
    const QString chosen = home.file("Termine.cfg");
    WriteFile(chosen, "termin;01.04.;Ostereier\n");
    const OnNextDialog<QFileDialog> answer([&](QFileDialog* files) {
        files->selectFile(chosen);
        static_cast<QDialog*>(files)->accept();
    });
    control<QPushButton>("DatenDateiButton")->click();
    EXPECT_EQ(control<QLineEdit>("DatenDatei")->text(), chosen);
    QFile::remove(chosen);
    control<QCheckBox>("mitFerien")->click(); // shows the settings again
    EXPECT_EQ(kalender().datendatei, chosen);
}

TEST_F(KalenderTest, SwitchesEnableWhatDependsOnThem) {
    kalender().rahmen = kalender().hintergrund = 1;
    open();
    for (const auto& [box, dependent] : {std::pair{"mitFerien", "mitFerienlegende"},
                                         {"mitTerminen", "KalenderTermineMonatTag"},
                                         {"KalenderTrennlinienErzeugen", "KalenderTrennlinienButton"}})
        for (int i = 0; i < 2; ++i) {
            control<QCheckBox>(box)->click();
            EXPECT_EQ(control<QWidget>(dependent)->isEnabled(), control<QCheckBox>(box)->isChecked()) << box;
        }
    ExpectFrameFollowsItsBox(control<QWidget>("FrameKalenderRahmen"),
                             control<QCheckBox>("KalenderRahmenErzeugen"), kalender().rahmen);
    ExpectFrameFollowsItsBox(control<QWidget>("FrameKalenderHintergrund"),
                             control<QCheckBox>("KalenderHGFüllen"), kalender().hintergrund);
}

// The details dialog edits the four kinds of text each on their own; colours are stored as 0xBBGGRR.
TEST_F(KalenderTest, DetailsEditTheFourKindsOfText) {
    KalenderDetailEinstellungen details;
    ShowActive(&details);
    Child<QButtonGroup>(&details, "KalenderTageWeight")->button(700)->click();
    Child<QCheckBox>(&details, "KalenderWochenItalic")->click();
    EXPECT_EQ(kalender().tagegewicht, 700);
    EXPECT_EQ(kalender().wochenkursiv, 1);
    EXPECT_EQ(kalender().monatgewicht, 700) << "another group's weight stays";
    EXPECT_TRUE(TypeAndLeave(Child<QLineEdit>(&details, "KalenderMonatHöhe"), "0",
                             Child<QLineEdit>(&details, "KalenderTageHöhe"))
                    .startsWith("Texthöhe nicht zulässig."));
    EXPECT_EQ(kalender().monathoehe, 22);
    const OnNextDialog<QColorDialog> answer([&](QColorDialog* colours) {
        colours->setCurrentColor(QColor(0, 0, 128));
        colours->accept();
    });
    Child<QPushButton>(&details, "KalenderSonntagFarbeButton")->click();
    EXPECT_EQ(kalender().sonntagfarbe, 0x800000);
}

#include "ShellSession.h"
#include "shell/KalenderEinstellungen.h"

namespace {

class KalenderTest : public ProgramTest {
protected:
    void open(const char* ferienländer) {
        kalender().ferienländer = ferienländer;
        dialog = std::make_unique<KalenderEinstellungen>();
        ShowActive(dialog.get());
    }
    Settings::Kalender& kalender() { return Program().settings.kalender; }
    template <class T> T* control(const char* name) const { return Child<T>(dialog.get(), name); }
    std::unique_ptr<KalenderEinstellungen> dialog;
};

} // namespace

// School holiday states are stored in the order of the table, whatever order they were ticked in
// (Space on the current line ticks or clears it, as a click on the box does); opening shows the
// stored states ticked and changes nothing.
TEST_F(KalenderTest, SchoolHolidayStatesAreStoredInTableOrder) {
    for (const auto& [toggled, stored] : {std::pair<QStringList, const char*>{{"NW", "BY"}, "BY;NW"},
                                          {{"TH", "BW", "NW"}, "BW;NW;TH"},
                                          {{"NW", "BY", "NW", "BY"}, ""}}) {
        SCOPED_TRACE(toggled.join(",").toStdString());
        open("");
        auto* states = control<QListWidget>("KalenderFerienländer");
        states->setFocus();
        for (const QString& state : toggled) {
            for (int row = 0; row < states->count(); ++row)
                if (states->item(row)->data(Qt::UserRole) == state) states->setCurrentRow(row);
            QTest::keyClick(states, Qt::Key_Space);
        }
        EXPECT_EQ(kalender().ferienländer, stored);
    }
    open("SH;BY");
    QStringList ticked;
    for (const QListWidgetItem* item :
         control<QListWidget>("KalenderFerienländer")->findItems("*", Qt::MatchWildcard))
        if (item->checkState() == Qt::Checked) ticked << item->text();
    EXPECT_EQ(ticked, QStringList({"Bayern", "Schleswig-Holstein"}));
    EXPECT_EQ(kalender().ferienländer, "SH;BY");
}

TEST_F(KalenderTest, SwitchesEnableWhatDependsOnThem) {
    open("");
    ExpectFollows(dialog.get(), "mitFerien", "mitFerienlegende");
    ExpectFollows(dialog.get(), "mitTerminen", "KalenderTermineMonatTag");
    ExpectFollows(dialog.get(), "KalenderTrennlinienErzeugen", "KalenderTrennlinienButton");
    ExpectFollows(dialog.get(), "KalenderRahmenErzeugen", "KalenderRahmenFarbeButton");
    ExpectFollows(dialog.get(), "KalenderHGFüllen", "KalenderHGFarbeButton");
}

#include "ShellSession.h"
#include "shell/KalenderEinstellungen.h"

using KalenderTest = ProgramTest;

// School holiday states are stored in the order of the table, whatever order they were ticked in
// (Space on the current line ticks or clears it, as a click on the box does); opening shows the
// stored states ticked and changes nothing.
TEST_F(KalenderTest, SchoolHolidayStatesAreStoredInTableOrder) {
    QString& stored = Program().settings.kalender.ferienländer;
    for (const auto& [toggled, order] : {std::pair<QStringList, const char*>{{"NW", "BY"}, "BY;NW"},
                                         {{"TH", "BW", "NW"}, "BW;NW;TH"},
                                         {{"NW", "BY", "NW", "BY"}, ""}}) {
        SCOPED_TRACE(toggled.join(",").toStdString());
        stored = "";
        KalenderEinstellungen dialog;
        ShowActive(&dialog);
        auto* states = Child<QListWidget>(&dialog, "KalenderFerienländer");
        states->setFocus();
        for (const QString& state : toggled) {
            for (int row = 0; row < states->count(); ++row)
                if (states->item(row)->data(Qt::UserRole) == state) states->setCurrentRow(row);
            QTest::keyClick(states, Qt::Key_Space);
        }
        EXPECT_EQ(stored, order);
    }
    stored = "SH;BY";
    const KalenderEinstellungen dialog;
    QStringList ticked;
    for (const QListWidgetItem* item :
         Child<QListWidget>(&dialog, "KalenderFerienländer")->findItems("*", Qt::MatchWildcard))
        if (item->checkState() == Qt::Checked) ticked << item->text();
    EXPECT_EQ(ticked, QStringList({"Bayern", "Schleswig-Holstein"}));
    EXPECT_EQ(stored, "SH;BY");
}

TEST_F(KalenderTest, SwitchesEnableWhatDependsOnThem) {
    KalenderEinstellungen dialog;
    ShowActive(&dialog);
    ExpectFollows(&dialog, "mitFerien", "mitFerienlegende");
    ExpectFollows(&dialog, "mitTerminen", "KalenderTermineMonatTag");
    ExpectFollows(&dialog, "KalenderTrennlinienErzeugen", "KalenderTrennlinienButton");
    ExpectFollows(&dialog, "KalenderRahmenErzeugen", "KalenderRahmenFarbeButton");
    ExpectFollows(&dialog, "KalenderHGFüllen", "KalenderHGFarbeButton");
}

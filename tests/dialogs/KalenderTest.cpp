#include "ShellSession.h"
#include "shell/KalenderEinstellungen.h"

using KalenderTest = ProgramTest;

// School holiday states are stored in the order of the table, whatever order they were ticked in
// (Space on the current line ticks or clears it, as a click on the box does); the stored states come
// up ticked when the dialog opens.
TEST_F(KalenderTest, SchoolHolidayStatesAreStoredInTableOrder) {
    QString& stored = Program().settings.kalender.ferienländer;
    for (const auto& [before, toggled, after] :
         {std::tuple<const char*, QStringList, const char*>{"", {"NW", "BY"}, "BY;NW"},
          {"", {"TH", "BW", "NW"}, "BW;NW;TH"},
          {"", {"NW", "BY", "NW", "BY"}, ""},
          {"SH;BY", {"NW", "SH"}, "BY;NW"}}) {
        SCOPED_TRACE(toggled.join(",").toStdString());
        stored = before;
        KalenderEinstellungen dialog;
        ShowActive(&dialog);
        auto* states = Child<QListWidget>(&dialog, "KalenderFerienländer");
        states->setFocus();
        for (const QString& state : toggled) {
            for (int row = 0; row < states->count(); ++row)
                if (states->item(row)->data(Qt::UserRole) == state) states->setCurrentRow(row);
            QTest::keyClick(states, Qt::Key_Space);
        }
        EXPECT_EQ(stored, after);
    }
}

#include "DialogSupport.h"
#include "app/ProgramState.h"
#include "shell/KalenderDetailEinstellungen.h"
#include "shell/KalenderEinstellungen.h"
#include "shell/Textstempel.h"

#include <QDir>

// Pictures of the three dialogs for a person to look at: a framed stamp with a placeholder on a
// box, and the calendar of the shipped data file in the preview.
using DialogScreenshots = ProgramTest;

TEST_F(DialogScreenshots, AllThreeDialogs) {
    Settings& s = Program().settings;
    s.textstempel.text = "Velomira%\\%f";
    s.textstempel.position = 9;
    s.textstempel.offsetx = -10;
    s.textstempel.offsety = -10;
    s.textstempel.hoehe = 18;
    s.textstempel.rahmen = 1;
    s.textstempel.hintergrund = 1;
    s.textstempel.hintergrundfarbe = 0x402000;
    s.kalender.datendatei = VELOMIRA_SOURCE_DIR "/data/Velomira.cfg";
    s.kalender.position = 1;
    s.kalender.spaltenbreite = 24;
    s.kalender.zeilenhöhe = 18;
    s.kalender.tagehoehe = 14;
    s.kalender.monathoehe = 16;
    s.kalender.wochenhoehe = 11;
    s.kalender.ferien = 1;
    s.kalender.termine = 1;
    QDir().mkpath(VELOMIRA_TEST_OUTPUT);
    Textstempel stamp;
    KalenderEinstellungen calendar;
    KalenderDetailEinstellungen details;
    const std::pair<QWidget*, const char*> dialogs[] = {{&stamp, "Textstempel"},
                                                        {&calendar, "KalenderEinstellungen"},
                                                        {&details, "KalenderDetailEinstellungen"}};
    for (auto [dialog, name] : dialogs) {
        ShowActive(dialog);
        EXPECT_TRUE(dialog->grab().save(QString(VELOMIRA_TEST_OUTPUT "/dialog-") + name + ".png")) << name;
    }
}

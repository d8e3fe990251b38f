#include "ShellSession.h"
#include "shell/MainWindow.h"

using OpeningTest = ProgramTest;

// A dialog button of the settings window opens its dialog modally: no change comes while it is open,
// and afterwards the picture shown is composed again and the timer starts over. (Both buttons open
// their dialog through one routine.)
TEST_F(OpeningTest, DialogButtonHoldsTheTimerAndComposesAfterwards) {
    WritePicture(pictures, "Meer", QColor(20, 60, 200));
    Program().settings.kalender.ausgeben = 1;
    MainWindow window;
    window.fillFromSettings();
    window.starten_und_konfig();
    ShowActive(&window);
    Program().CurrentIndex = 1;
    window.tray().StartChangeTimer(5);
    bool modal = false, timerRan = true, composed = true;
    const auto close = OnNextDialog<QDialog>([&](QDialog* dialog) {
        modal = dialog->isModal();
        timerRan = window.tray().changeTimer().isActive();
        composed = QFile::exists(wallpaper);
        dialog->close();
    });
    window.controls().KalenderButton->click();
    EXPECT_TRUE(modal && !timerRan && !composed) << "while the dialog is open";
    EXPECT_TRUE(QFile::exists(wallpaper));
    EXPECT_EQ(Program().CurrentIndex, 1) << "the same picture again";
    EXPECT_EQ(window.tray().changeTimer().interval(), 5 * 60 * 1000);
    EXPECT_TRUE(window.tray().changeTimer().isActive());
}

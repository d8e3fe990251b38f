#include "ShellSession.h"
#include "shell/MainWindow.h"

using OpeningTest = ProgramTest;

// The settings window's buttons open the dialogs modally: no change comes while one is open, and
// afterwards the picture shown is composed again and the timer starts over.
TEST_F(OpeningTest, ButtonsOpenTheDialogsAndComposeAfterwards) {
    WritePicture(pictures, "Meer", QColor(20, 60, 200));
    Program().settings.textstempel.ausgeben = Program().settings.kalender.ausgeben = 1;
    MainWindow window;
    window.fillFromSettings();
    window.starten_und_konfig();
    ShowActive(&window);
    for (QPushButton* button : {window.controls().TextstempelButton, window.controls().KalenderButton}) {
        SCOPED_TRACE(button->text().toStdString());
        QFile::remove(wallpaper);
        Program().CurrentIndex = 1;
        window.tray().StartChangeTimer(5);
        bool modal = false, timerRan = true, composed = true;
        const auto close = OnNextDialog<QDialog>([&](QDialog* dialog) {
            modal = dialog->isModal();
            timerRan = window.tray().changeTimer().isActive();
            composed = QFile::exists(wallpaper);
            dialog->close();
        });
        button->click();
        EXPECT_TRUE(modal && !timerRan && !composed) << "while the dialog is open";
        EXPECT_TRUE(QFile::exists(wallpaper));
        EXPECT_EQ(Program().CurrentIndex, 1) << "the same picture again";
        EXPECT_EQ(window.tray().changeTimer().interval(), 5 * 60 * 1000);
        EXPECT_TRUE(window.tray().changeTimer().isActive());
    }
}

#include "DialogSupport.h"
#include "app/ProgramState.h"
#include "shell/MainWindow.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

using OpeningTest = ProgramTest;

// The settings window's buttons open the dialogs modally: no change comes while one is open, and
// afterwards the picture shown is composed again and the timer starts over.
TEST_F(OpeningTest, ButtonsOpenTheDialogsAndComposeAfterwards) {
    WritePicture(pictures, "Meer", QColor(20, 60, 200));
    Program().settings.textstempel.ausgeben = 1;
    Program().settings.kalender.ausgeben = 1;
    MainWindow window;
    window.fillFromSettings();
    window.starten_und_konfig();
    ShowActive(&window);
    const struct {
        QPushButton* button;
        const char* dialog;
    } cases[] = {{window.controls().TextstempelButton, "Textstempel"},
                 {window.controls().KalenderButton, "KalenderEinstellungen"}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.dialog);
        QFile::remove(wallpaper);
        Program().CurrentIndex = 1;
        window.tray().StartChangeTimer(5);
        QString opened;
        bool modal = false, timerRan = true;
        const OnNextDialog<QDialog> close([&](QDialog* dialog) {
            opened = dialog->objectName();
            modal = dialog->isModal();
            timerRan = window.tray().changeTimer().isActive();
            EXPECT_FALSE(QFile::exists(wallpaper));
            dialog->close();
        });
        t.button->click();
        EXPECT_EQ(opened, t.dialog);
        EXPECT_TRUE(modal);
        EXPECT_FALSE(timerRan);
        EXPECT_TRUE(QFile::exists(wallpaper));
        EXPECT_EQ(Program().CurrentIndex, 1) << "the same picture again";
        EXPECT_TRUE(window.tray().changeTimer().isActive());
        EXPECT_EQ(window.tray().changeTimer().interval(), 5 * 60 * 1000);
    }
}

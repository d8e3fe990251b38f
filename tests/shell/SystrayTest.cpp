#include "DesktopSupport.h"
#include "ShellSession.h"
#include "app/ProgramState.h"
#include "compose/ErrInfo.h"
#include "shell/ErrInfoDialog.h"
#include "shell/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

class SystrayTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WritePicture(pictures, "Meer", QColor(20, 60, 200));
        WritePicture(pictures, "Abend", QColor(230, 120, 30));
        window = std::make_unique<MainWindow>(std::chrono::milliseconds(300));
        window->fillFromSettings();
    }
    std::unique_ptr<MainWindow> window;
};

} // namespace

// A normal start changes the picture after a minute; a click on the icon in a real tray composes the
// next picture at once and the timer starts over with the delay set.
TEST_F(SystrayTest, LeftClickComposesTheNextPicture) {
    const Trayer trayer(SessionDisplay());
    ASSERT_TRUE(trayer.ready());
    window->starten(1);
    const std::optional<WindowBox> icon = trayer.embeddedIcon("test_shell_window");
    ASSERT_TRUE(icon);
    EXPECT_EQ(window->tray().icon().toolTip(), "Velomira\n?????\nnächster Bildwechsel um 12:01:00");
    Click(SessionDisplay(), icon->rect.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return Program().CurrentIndex == 1; }));
    EXPECT_EQ(QImage(wallpaper).size(), QSize(320, 240));
    EXPECT_EQ(window->tray().icon().toolTip(), "Velomira\nAbend\nnächster Bildwechsel um 12:05:00");
    EXPECT_EQ(window->tray().changeTimer().interval(), 5 * 60000);

    // "Konfiguration" holds the timer while the settings window is open.
    window->tray().menu().findChild<QAction*>("UMKonfiguration")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->tray().changeTimer().isActive());
}

// Without a tray host the settings window opens after a while rather than the program running unseen;
// its close box then leaves it reachable, and a tray that comes later gets the icon.
TEST_F(SystrayTest, WithoutTrayTheWindowStaysReachable) {
    ASSERT_TRUE(WaitUntil([] { return !QSystemTrayIcon::isSystemTrayAvailable(); })) << "an earlier tray";
    window->starten(1);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return window->isVisible(); }, 3000));
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->tray().changeTimer().isActive());
    const Trayer trayer(SessionDisplay());
    ASSERT_TRUE(trayer.ready());
    EXPECT_TRUE(WaitUntil([&] { return window->tray().inTray(); }));
}

// A failing change shows ErrInfo above everything; a click on the icon meanwhile starts no second
// composition, and the timer runs again once the message is closed.
TEST_F(SystrayTest, ErrInfoShowsAFailedChange) {
    ErrInfoDialog::install();
    WriteFile(pictures + "/Kaputt.jpg", "kein Bild");
    window->starten(1);
    QStringList shown;
    bool topmost = false, timerWhileOpen = true;
    const OnNextDialog<QDialog> answer([&](QDialog* dialog) {
        topmost = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && dialog->isModal();
        shown << dialog->findChild<QLabel*>("Meldung")->text();
        window->tray().TimerCallback(); // the icon clicked again
        timerWhileOpen = window->tray().changeTimer().isActive();
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    });
    Program().CurrentIndex = 1; // the next picture is the second by name: Kaputt
    window->tray().menu().findChild<QAction*>("UMNextImage")->trigger();
    SetErrInfoHandler({});
    EXPECT_TRUE(topmost);
    EXPECT_EQ(shown, QStringList{"IS_ReadImage"});
    EXPECT_EQ(Program().CurrentIndex, 2);
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_TRUE(window->tray().changeTimer().isActive());
}

#include "DesktopSupport.h"
#include "ShellSession.h"
#include "app/IniDocument.h"
#include "compose/ErrInfo.h"
#include "shell/ErrInfoDialog.h"
#include "shell/MainWindow.h"

namespace {

// The program as a normal start leaves it, waiting 300 ms for a tray.
class SystrayTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Qt learns of the end of an earlier test's tray only from the X server's events.
        ASSERT_TRUE(WaitUntil([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }));
        WritePicture(pictures, "Abend", QColor(230, 120, 30));
        WriteFile(pictures + "/Kaputt.jpg", "kein Bild");
        window.fillFromSettings();
        window.starten(1);
    }
    MainWindow window{std::chrono::milliseconds(300)};
};

} // namespace

// Without a tray host the settings window opens after a while rather than the program running unseen;
// its close box then saves, starts the timer and leaves the window reachable, and a tray that comes
// later gets the icon.
TEST_F(SystrayTest, WithoutTrayTheWindowStaysReachable) {
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(WaitUntil([&] { return window.isVisible(); }, 3000));
    window.close();
    EXPECT_TRUE(window.isVisible() && window.isMinimized());
    EXPECT_TRUE(window.tray().changeTimer().isActive());
    EXPECT_EQ(IniDocument::parse(ReadFile(Program().store.path())).value("misc", "delay"), "5");
    EXPECT_EQ(window.tray().icon().toolTip(), "Velomira\n?????\nnächster Bildwechsel um 12:05:00");
    const Trayer trayer(qEnvironmentVariable("DISPLAY"));
    EXPECT_TRUE(WaitUntil([&] { return window.tray().inTray(); }));
    EXPECT_TRUE(trayer.embeddedIcon("test_shell_window"));
}

// A failing change shows ErrInfo above everything; a click on the icon meanwhile starts no second
// composition, and the timer runs again once the message is closed, as after "Info".
TEST_F(SystrayTest, ErrInfoShowsAFailedChange) {
    ErrInfoDialog::install();
    QStringList shown;
    bool topmost = false, timerWhileOpen = true;
    const auto answer = OnNextDialog<QDialog>([&](QDialog* dialog) {
        topmost = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && dialog->isModal();
        shown << dialog->findChild<QLabel*>("Meldung")->text();
        window.tray().TimerCallback(); // the icon clicked again
        timerWhileOpen = window.tray().changeTimer().isActive();
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    });
    Program().CurrentIndex = 1; // the next picture is the second by name: Kaputt
    window.tray().menu().findChild<QAction*>("UMNextImage")->trigger();
    SetErrInfoHandler({});
    EXPECT_EQ(shown, QStringList{"IS_ReadImage"});
    EXPECT_EQ(Program().CurrentIndex, 2);
    EXPECT_TRUE(topmost && !timerWhileOpen);
    EXPECT_TRUE(window.tray().changeTimer().isActive());

    // "Info" holds the timer too; the longest interval, a day, names the same time on the next day.
    Program().settings.misc.delay = 1440;
    const auto info = OnNextDialog<QDialog>([&](QDialog* dialog) {
        timerWhileOpen = window.tray().changeTimer().isActive();
        dialog->accept();
    });
    window.tray().menu().findChild<QAction*>("UMInfo")->trigger();
    const QTimer& timer = window.tray().changeTimer();
    EXPECT_TRUE(!timerWhileOpen && timer.isActive() && timer.interval() == 24 * 60 * 60 * 1000);
    EXPECT_TRUE(window.tray().icon().toolTip().endsWith("\nnächster Bildwechsel um 12:00:00"));
}

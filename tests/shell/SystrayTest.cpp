#include "DesktopSupport.h"
#include "ShellSession.h"
#include "app/ProgramState.h"
#include "compose/ErrInfo.h"
#include "pictures/PictureList.h"
#include "shell/ErrInfoDialog.h"
#include "shell/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class SystrayTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WritePicture(pictures, "Meer", QColor(20, 60, 200));
        WritePicture(pictures, "Abend", QColor(230, 120, 30));
    }
    // The program as a normal start leaves it, in the tray of `trayer`.
    std::unique_ptr<MainWindow> started(std::chrono::milliseconds trayWait = MainWindow::kTrayWait) {
        auto window = std::make_unique<MainWindow>(trayWait);
        window->fillFromSettings();
        window->starten(1);
        return window;
    }
};

} // namespace

TEST_F(SystrayTest, LeftClickComposesTheNextPicture) {
    const Trayer trayer(SessionDisplay());
    ASSERT_TRUE(trayer.ready());
    const auto window = started();
    Systray& tray = window->tray();
    // Embedded in the tray, the icon is the process's one mapped window.
    QList<WindowBox> icon;
    ASSERT_TRUE(WaitUntil([&] {
        return (icon = VisibleWindows(SessionDisplay(), "--classname", "test_shell_window")).size() == 1;
    }));
    EXPECT_EQ(tray.icon().toolTip(), "Velomira\n?????\nnächster Bildwechsel um 12:01:00")
        << "first change after a minute";

    QTest::qWait(300); // the tray host takes clicks once it has finished embedding the icon
    Click(SessionDisplay(), icon.first().rect.center(), 1);
    ASSERT_TRUE(WaitUntil([&] { return Program().CurrentIndex == 1; }));
    EXPECT_EQ(QImage(wallpaper).size(), QSize(320, 240));
    EXPECT_EQ(tray.icon().toolTip(), "Velomira\nAbend\nnächster Bildwechsel um 12:05:00");
    EXPECT_TRUE(tray.changeTimer().isActive());
    EXPECT_EQ(tray.changeTimer().interval(), 5 * 60000);
}

// "Konfiguration" stops the timer while the window is open; a start with "/c" shows the window
// beside the icon and starts no timer at all.
TEST_F(SystrayTest, SettingsWindowStopsTheTimer) {
    const Trayer trayer(SessionDisplay());
    ASSERT_TRUE(trayer.ready());
    const auto window = started();
    ASSERT_TRUE(WaitUntil([&] { return window->tray().inTray(); }));
    ASSERT_TRUE(window->tray().changeTimer().isActive());
    QAction* konfiguration = window->tray().menu().findChild<QAction*>("UMKonfiguration");
    ASSERT_TRUE(konfiguration);
    konfiguration->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->tray().changeTimer().isActive());
    EXPECT_EQ(window->tray().icon().toolTip(), "Velomira");

    MainWindow configured;
    configured.fillFromSettings();
    configured.starten_und_konfig();
    EXPECT_TRUE(configured.isVisible());
    EXPECT_TRUE(WaitUntil([&] { return configured.tray().inTray(); }));
    EXPECT_FALSE(configured.tray().changeTimer().isActive());
    EXPECT_EQ(configured.tray().icon().toolTip(), "");
}

// Without a tray host the program opens its settings window after a while rather than running
// unseen; the close box then leaves the window reachable, and a tray that comes later gets the icon.
TEST_F(SystrayTest, WithoutTrayTheWindowStaysReachable) {
    const auto window = started(std::chrono::milliseconds(300));
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return window->isVisible(); }, 3000));
    EXPECT_FALSE(window->tray().inTray());
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
    const auto window = started();
    QStringList composed;
    bool topmost = false, timerWhileOpen = true;
    const OnNextDialog<QDialog> answer([&](QDialog* dialog) {
        topmost = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && dialog->isModal();
        composed << dialog->findChild<QLabel*>("Meldung")->text();
        window->tray().TimerCallback(); // the icon clicked again
        timerWhileOpen = window->tray().changeTimer().isActive();
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    });
    QAction* next = window->tray().menu().findChild<QAction*>("UMNextImage");
    Program().CurrentIndex = 1; // the next picture is the second by name: Kaputt
    next->trigger();
    SetErrInfoHandler({});
    EXPECT_TRUE(topmost);
    EXPECT_EQ(composed, QStringList{"IS_ReadImage"});
    EXPECT_EQ(Program().CurrentIndex, 2);
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_TRUE(window->tray().changeTimer().isActive());
}

// The menu item "Beim Anmelden starten" of the settings window shows whether the login entry exists
// and writes or removes it.
#include "TestSupport.h"
#include "app/ProgramState.h"
#include "platform/Autostart.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AutostartMenu, ItemShowsAndSwitchesTheEntry) {
    static int argc = 1;
    static char name[] = "test_autostart";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("cfg"));
    Program().store = SettingsStore(tmp.file("Velomira.ini"));
    MainWindow window;
    auto* menu = window.findChild<QMenu*>("MOptionen");
    auto* item = window.findChild<QAction*>("MAutostart");
    ASSERT_TRUE(menu && item && item->isCheckable());
    // The entry may change behind the program's back; opening the menu shows its state.
    for (const bool present : {true, false, true}) {
        ASSERT_TRUE(SetAutostart(present, "/usr/bin/velomira"));
        menu->popup({});
        EXPECT_EQ(item->isChecked(), present);
        menu->close();
    }
    item->trigger(); // off
    EXPECT_FALSE(item->isChecked() || QFile::exists(AutostartFile()));
    item->trigger(); // on: the entry starts this very program
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(ReadFile(AutostartFile())
                    .contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"));

    // A file where the autostart folder belongs: the user is told, and the item stays off.
    const ScopedEnv blocked("XDG_CONFIG_HOME", tmp.file("blockiert"));
    WriteFile(tmp.file("blockiert"), "");
    menu->popup({});
    ASSERT_FALSE(item->isChecked());
    menu->close();
    QString told;
    QTimer answer; // answers the message box once it is open
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            told = box->text(), box->accept();
    });
    answer.start(10);
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(told.contains("Beim Anmelden starten")) << told.toStdString();
}

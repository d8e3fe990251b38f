// The login entry: that the session can start the program from it whatever its path, and the menu
// item "Beim Anmelden starten" of the settings window that shows and switches it.
#include "platform/Autostart.h"
#include "TestSupport.h"
#include "app/ProgramState.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// The session reads the entry with GLib (gio launch, as GNOME and XFCE do) and runs the program,
// also from paths that need quoting; desktop-file-validate accepts every entry.
TEST(Autostart, SessionStartsTheProgramFromTheEntry) {
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("cfg"));
    const QString mark = tmp.file("gestartet");
    // GLib looks for the program before it undoes "%%", so it misses paths with a "%".
    for (const auto& [folder, glibFindsIt] :
         {std::pair<QString, bool>{"Mein Ordner/bin", true}, {R"(a"b$c`d\e'f)", true}, {"100%", false}}) {
        QFile::remove(mark);
        QDir().mkpath(tmp.file(folder));
        const QString program = tmp.file(folder + "/velomira");
        WriteFile(program, ("#!/bin/sh\necho gestartet > '" + mark + "'\n").toUtf8());
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(SetAutostart(true, program)) << folder.toStdString();
        const ProcessResult valid = RunProgram("desktop-file-validate", {AutostartFile()});
        EXPECT_TRUE(valid.exitCode == 0 && valid.out.isEmpty())
            << folder.toStdString() << ": " << valid.out.toStdString();
        if (!glibFindsIt) continue;
        const ProcessResult launch =
            RunProgram("gio", {"launch", AutostartFile()}, {"DISPLAY=", "DBUS_SESSION_BUS_ADDRESS="});
        EXPECT_EQ(launch.exitCode, 0) << folder.toStdString() << ": " << launch.err.toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(mark); }, 5000)) << folder.toStdString();
    }
}

TEST(AutostartMenu, ItemShowsAndSwitchesTheEntry) {
    static int argc = 1;
    static char name[] = "test_autostart", *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("cfg"));
    Program().store = SettingsStore(tmp.file("Velomira.ini"));
    MainWindow window;
    auto* menu = window.findChild<QMenu*>("MOptionen");
    auto* item = window.findChild<QAction*>("MAutostart");
    ASSERT_TRUE(menu && item && item->isCheckable());
    // The entry may change behind the program's back, and session settings switch it off inside the
    // file; opening the menu shows its state. Rows: whether there is an entry | the line added to it |
    // whether the item shows it on.
    for (const char* row :
         {"1||1", "0||0", "1|X-GNOME-Autostart-enabled=false|0", "1|Hidden=false|1", "1|Hidden=true|0"}) {
        const QStringList f = QString(row).split(u'|');
        ASSERT_TRUE(SetAutostart(f[0] == "1", "/usr/bin/velomira"));
        if (f[0] == "1") WriteFile(AutostartFile(), ReadFile(AutostartFile()) + f[1].toUtf8() + "\n");
        menu->popup({});
        EXPECT_EQ(item->isChecked(), f[2] == "1") << row;
        menu->close();
    }
    item->trigger(); // on: a live entry that starts this very program
    const QByteArray entry = ReadFile(AutostartFile());
    EXPECT_TRUE(item->isChecked() && !entry.contains("Hidden=true") &&
                entry.contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"))
        << entry.toStdString();
    item->trigger(); // off
    EXPECT_FALSE(item->isChecked() || QFile::exists(AutostartFile()));

    // A file where the autostart folder belongs: the user is told, and the item stays off.
    const ScopedEnv blocked("XDG_CONFIG_HOME", tmp.file("blockiert"));
    WriteFile(tmp.file("blockiert"), "");
    QString told;
    QTimer answer; // answers the message box once it is open
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            told = box->text(), box->accept();
    });
    answer.start(10);
    item->trigger();
    EXPECT_TRUE(!item->isChecked() && told.contains("Beim Anmelden starten")) << told.toStdString();
}

// The login entry: that the session can start the program from it whatever its path,
// and how the desktops' own switches count.
#include "platform/Autostart.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
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
        EXPECT_TRUE(AutostartEnabled());
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

// Session settings switch an entry off inside the file; switching on again writes a live entry.
TEST(Autostart, EntriesTheDesktopSwitchedOffCountAsOff) {
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.path());
    for (const auto& [line, enabled] : {std::pair{"Hidden=true", false},
                                        {"X-GNOME-Autostart-enabled=false", false},
                                        {"Hidden=false", true}}) {
        ASSERT_TRUE(SetAutostart(true, "/usr/bin/velomira"));
        WriteFile(AutostartFile(), ReadFile(AutostartFile()) + line + "\n");
        EXPECT_EQ(AutostartEnabled(), enabled) << line;
        ASSERT_TRUE(SetAutostart(true, "/usr/bin/velomira"));
        EXPECT_TRUE(AutostartEnabled()) << line;
    }
}

// The login entry: where it goes, that the session can start the program from it whatever its path,
// and how the desktops' own switches count.
#include "platform/Autostart.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A stand-in for the program that leaves a mark when a session starts it.
QString WriteMarkingProgram(const QString& folder, const QString& mark) {
    QDir().mkpath(folder);
    const QString program = folder + "/velomira";
    WriteFile(program, ("#!/bin/sh\necho gestartet > '" + mark + "'\n").toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program;
}

bool WaitForFile(const QString& path) {
    for (int i = 0; i < 200 && !QFile::exists(path); ++i)
        QThread::msleep(10);
    return QFile::exists(path);
}

} // namespace

TEST(Autostart, FileFollowsXdgConfigHome) {
    const TempDir home;
    const ScopedEnv homeVar("HOME", home.path());
    struct Case {
        QString configHome;
        QString expected;
    };
    const Case cases[] = {
        {home.file("eigen"), home.file("eigen/autostart/velomira.desktop")},
        {"", home.file(".config/autostart/velomira.desktop")},
        {"relativ/config", home.file(".config/autostart/velomira.desktop")}, // only absolute paths count
    };
    for (const Case& c : cases) {
        const ScopedEnv config("XDG_CONFIG_HOME", c.configHome);
        EXPECT_EQ(AutostartFile(), c.expected) << c.configHome.toStdString();
    }
}

// The session reads the entry with GLib (gio launch, as GNOME and XFCE do) and runs the program,
// also from paths that need quoting; desktop-file-validate accepts every entry.
TEST(Autostart, SessionStartsTheProgramFromTheEntry) {
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.file("cfg"));
    struct Case {
        QString folder;
        bool glibFindsIt; // GLib looks for the program before it undoes "%%", so it misses such paths
    };
    const Case cases[] = {
        {"bin", true}, {"Mein Ordner/bin", true}, {R"(a"b$c`d\e'f)", true}, {"100%", false}};
    for (const Case& c : cases) {
        const QString mark = tmp.file("gestartet");
        QFile::remove(mark);
        const QString program = WriteMarkingProgram(tmp.file(c.folder), mark);
        ASSERT_TRUE(SetAutostart(true, program)) << c.folder.toStdString();
        EXPECT_TRUE(AutostartEnabled());

        const ProcessResult valid = RunProgram("desktop-file-validate", {AutostartFile()});
        EXPECT_EQ(valid.exitCode, 0) << c.folder.toStdString() << ": " << valid.out.toStdString();
        EXPECT_TRUE(valid.out.isEmpty()) << valid.out.toStdString();
        if (!c.glibFindsIt) continue;
        const ProcessResult launch =
            RunProgram("gio", {"launch", AutostartFile()}, {"DISPLAY=", "DBUS_SESSION_BUS_ADDRESS="});
        EXPECT_EQ(launch.exitCode, 0) << c.folder.toStdString() << ": " << launch.err.toStdString();
        EXPECT_TRUE(WaitForFile(mark)) << c.folder.toStdString();
    }
}

// Session settings switch an entry off inside the file; switching on again writes a live entry.
TEST(Autostart, EntriesTheDesktopSwitchedOffCountAsOff) {
    const TempDir tmp;
    const ScopedEnv config("XDG_CONFIG_HOME", tmp.path());
    struct Case {
        const char* line;
        bool enabled;
    };
    const Case cases[] = {{"Hidden=true", false},
                          {"X-GNOME-Autostart-enabled=false", false},
                          {"Hidden=false", true},
                          {"X-GNOME-Autostart-enabled=true", true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(SetAutostart(true, "/usr/bin/velomira"));
        WriteFile(AutostartFile(), ReadFile(AutostartFile()) + c.line + "\n");
        EXPECT_EQ(AutostartEnabled(), c.enabled) << c.line;
        ASSERT_TRUE(SetAutostart(true, "/usr/bin/velomira"));
        EXPECT_TRUE(AutostartEnabled()) << c.line;
    }
}

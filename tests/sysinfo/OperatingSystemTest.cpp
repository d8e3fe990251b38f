#include "sysinfo/OperatingSystem.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(OsRelease, ParsesQuotedAndUnquotedValues) {
    const char* text = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                       "ID=debian\r\n"
                       "  # a comment\n"
                       "\n"
                       "NAME='Fedora \\ Linux'\n"
                       "VERSION=\"22.04 \\\"Jammy\\\" \\$HOME \\n\"\n"
                       "PLAIN=a\\ b\n"
                       "EMPTY=\n"
                       "ID=ubuntu\n"
                       "NOEQUALS\n"
                       "BAD KEY=1\n"
                       "=novalue\n"
                       "OPEN=\"unclosed\n"
                       "SINGLE='unclosed\n"
                       "TRAILING=\"x\" # note\n";
    const OsReleaseFields fields = ParseOsRelease(text);
    const OsReleaseFields expected = {
        {"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"},
        {"NAME", "Fedora \\ Linux"},
        {"VERSION", "22.04 \"Jammy\" $HOME \\n"},
        {"PLAIN", "a b"},
        {"EMPTY", ""},
        {"ID", "ubuntu"},
        {"TRAILING", "x"},
    };
    EXPECT_EQ(fields, expected);
}

TEST(OsRelease, ReadsTheFirstFileThatExists) {
    TempDir tmp;
    WriteFile(tmp.file("vendor"), "NAME=\"Vendor Linux\"\n");
    EXPECT_TRUE(ReadOsRelease({tmp.file("missing")}).isEmpty());
    EXPECT_TRUE(ReadOsRelease({}).isEmpty());
    EXPECT_EQ(ReadOsRelease({tmp.file("missing"), tmp.file("vendor")}).value("NAME"), "Vendor Linux");
    // A directory cannot be read as a file: the next path is tried.
    EXPECT_EQ(ReadOsRelease({tmp.path(), tmp.file("vendor")}).value("NAME"), "Vendor Linux");
}

TEST(OperatingSystem, KernelReleaseNumbers) {
    struct Case {
        const char* release;
        int major, minor, revision;
    };
    const Case cases[] = {
        {"6.1.0-13-amd64", 6, 1, 0},
        {"5.15.90.1-microsoft-standard-WSL2", 5, 15, 90},
        {"6.8.0+rpt-rpi-v8", 6, 8, 0},
        {"4.19", 4, 19, 0},
        {"6.-1.2", 6, 0, 0},
        {"99999999999.1.2", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const KernelVersion v = ParseKernelRelease(c.release);
        EXPECT_EQ(v.major, c.major) << c.release;
        EXPECT_EQ(v.minor, c.minor) << c.release;
        EXPECT_EQ(v.revision, c.revision) << c.release;
    }
}

TEST(OperatingSystem, DescribesTheGivenFacts) {
    const OsReleaseFields debian = {{"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"}, {"NAME", "Debian"}};
    const OperatingSystem os("Linux", "6.1.0-13-amd64", "x86_64", debian, QLocale("de_DE"));
    EXPECT_EQ(os.ToString(), "Linux 6.1.0-13-amd64");
    EXPECT_EQ(os.name(), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(os.Language(), "Deutsch (Deutschland)");

    EXPECT_EQ(OperatingSystem("Linux", "6.1.0", "i686", {{"NAME", "Alpine"}}, QLocale::c()).name(), "Alpine");
    const OperatingSystem bare("Linux", "6.1.0", "i686", {}, QLocale::c());
    EXPECT_EQ(bare.name(), "Linux");
    EXPECT_EQ(bare.Language(), "");
}

TEST(OperatingSystem, DescribesTheRunningKernel) {
    const ProcessResult release = RunProgram("uname", {"-sr"});
    ASSERT_EQ(release.exitCode, 0);
    EXPECT_EQ(OperatingSystem().ToString(), release.out.trimmed());
}

// The operating system and component versions of the about box.
#include "sysinfo/OperatingSystem.h"
#include "sysinfo/ComponentVersions.h"

#include "TestSupport.h"
#include "Version.h"
#include "imagelib/ImageLibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

TEST(OsRelease, ParsesAsTheShellWouldAndReadsTheFirstFileThatExists) {
    const OsReleaseFields fields = ParseOsRelease(
        "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\r\n  # a comment\n\n"
        "NAME='Fedora \\ Linux'\nVERSION=\"22.04 \\\"Jammy\\\" \\$HOME \\n\"\nPLAIN=a\\ b\nEMPTY=\n"
        "ID=ubuntu\nNOEQUALS\nBAD KEY=1\n=novalue\nOPEN=\"unclosed\nTRAILING=\"x\" # note\n");
    const OsReleaseFields expected = {{"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"},
                                      {"NAME", "Fedora \\ Linux"},
                                      {"VERSION", "22.04 \"Jammy\" $HOME \\n"},
                                      {"PLAIN", "a b"},
                                      {"EMPTY", ""},
                                      {"ID", "ubuntu"},
                                      {"TRAILING", "x"}};
    EXPECT_EQ(fields, expected);

    TempDir tmp;
    WriteFile(tmp.file("vendor"), "NAME=\"Vendor Linux\"\n");
    EXPECT_TRUE(ReadOsRelease({tmp.file("missing")}).isEmpty());
    EXPECT_EQ(ReadOsRelease({tmp.file("missing"), tmp.path(), tmp.file("vendor")}).value("NAME"),
              "Vendor Linux");
}

TEST(OperatingSystem, KernelDistributionAndLanguage) {
    const OsReleaseFields debian = {{"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"}, {"NAME", "Debian"}};
    const OperatingSystem os("Linux", "6.1.0-13-amd64", "x86_64", debian, QLocale("de_DE"));
    EXPECT_EQ(os.ToString(), "Linux 6.1.0-13-amd64");
    EXPECT_EQ(os.Language(), "Deutsch (Deutschland)");
    EXPECT_EQ(OperatingSystemText(os), "Debian GNU/Linux 12 (bookworm), 64Bit (6.1.0)");
    EXPECT_EQ(
        OperatingSystemText(OperatingSystem("Linux", "5.10.120-ti-r47", "armv7l", debian, QLocale::c())),
        "Debian GNU/Linux 12 (bookworm) (5.10.120)");
    EXPECT_EQ(OperatingSystem("Linux", "6.1.0", "i686", {{"NAME", "Alpine"}}, QLocale::c()).name(), "Alpine");
    EXPECT_EQ(OperatingSystem("Linux", "6.1.0", "i686", {}, QLocale::c()).name(), "Linux");
    EXPECT_EQ(OperatingSystem().ToString(), RunProgram("uname", {"-sr"}).out.trimmed());
}

TEST(ComponentVersions, TheVersionsTheProcessRunsWithOrWouldLoad) {
    ImageLibrary library;
    ASSERT_EQ(library.load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
    // libtiff is not loaded here (Qt's TIFF plugin brings it in); it is asked from the file on disk
    // and not left behind.
    ASSERT_FALSE(::dlopen("libtiff.so.6", RTLD_LAZY | RTLD_NOLOAD));
    QMap<QString, QString> versions;
    for (const VersionRow& row : ComponentVersionRows(OperatingSystem(), library))
        versions[row.Komponente] = row.Version;
    EXPECT_FALSE(::dlopen("libtiff.so.6", RTLD_LAZY | RTLD_NOLOAD));
    EXPECT_EQ(versions["Qt"], QT_VERSION_STR);
    const ProcessResult tiff = RunProgram("dpkg-query", {"-W", "-f", "${Version}", "libtiff6"});
    EXPECT_TRUE(tiff.exitCode != 0 || versions["libtiff"] == tiff.out.section('-', 0, 0))
        << versions["libtiff"].toStdString();
    for (const QString& pair :
         QStringList{"Exiv2=exiv2", "libjpeg-turbo=libjpeg", "libpng=libpng", "fontconfig=fontconfig"}) {
        const ProcessResult installed = RunProgram("pkg-config", {"--modversion", pair.section('=', 1)});
        EXPECT_TRUE(installed.exitCode != 0 || versions[pair.section('=', 0, 0)] == installed.out.trimmed())
            << pair.toStdString();
    }
    EXPECT_EQ(versions["libVelomiraIS.so"], VELOMIRA_VERSION);
    EXPECT_EQ(versions["libVelomiraISE.so"], VELOMIRA_VERSION);
    // Without the image libraries their rows remain, with no version.
    EXPECT_EQ(ComponentVersionRows(OperatingSystem(), ImageLibrary()).last().Version, "NV");
}

#include "sysinfo/ComponentVersions.h"

#include "ProjectVersion.h"
#include "TestSupport.h"
#include "imagelib/ImageLibrary.h"
#include "sysinfo/OperatingSystem.h"

#include <QRegularExpression>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Handle = std::unique_ptr<void, int (*)(void*)>;

// Brings a library into the process the way a Qt plugin or the image library would.
Handle loadLibrary(const char* soname) {
    return Handle(::dlopen(soname, RTLD_NOW | RTLD_LOCAL), ::dlclose);
}

// The version pkg-config knows for a development package; empty when it is not installed.
QString installedVersion(const QString& package) {
    const ProcessResult r = RunProgram("pkg-config", {"--modversion", package});
    return r.exitCode == 0 ? r.out.trimmed() : QString();
}

QStringList names(const QList<VersionRow>& rows) {
    QStringList result;
    for (const VersionRow& row : rows)
        result << row.Komponente;
    return result;
}

} // namespace

TEST(ComponentVersions, SkipsRowsThatCannotBeAskedAndShowsNvForNoVersion) {
    using Answer = std::optional<QString>;
    const VersionProbe probes[] = {
        {"eins", [] { return Answer("1.0"); }},
        {"fehlt", [] { return Answer(); }},
        {"ohne", [] { return Answer(QString()); }},
        {"zwei", [] { return Answer("2.3.4"); }},
    };
    const QList<VersionRow> expected = {{"eins", "1.0"}, {"ohne", "NV"}, {"zwei", "2.3.4"}};
    EXPECT_EQ(CollectVersionRows(probes), expected);
}

TEST(ComponentVersions, OperatingSystemRow) {
    const OsReleaseFields debian = {{"PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"}};
    EXPECT_EQ(OperatingSystemText(OperatingSystem("Linux", "6.1.0-13-amd64", "x86_64", debian, QLocale::c())),
              "Debian GNU/Linux 12 (bookworm), 64Bit (6.1.0)");
    EXPECT_EQ(
        OperatingSystemText(OperatingSystem("Linux", "5.10.120-ti-r47", "armv7l", debian, QLocale::c())),
        "Debian GNU/Linux 12 (bookworm) (5.10.120)");
}

TEST(ComponentVersions, RowsInOrderWithTheVersionsTheProcessRunsWith) {
    ImageLibrary library;
    ASSERT_EQ(library.load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
    const Handle tiff = loadLibrary("libtiff.so.6");
    const Handle exiv2 = loadLibrary("libexiv2.so.27");
    ASSERT_TRUE(tiff && exiv2) << ::dlerror();

    const QList<VersionRow> rows = ComponentVersionRows(OperatingSystem(), library);
    const QStringList expectedOrder = {
        "Betriebssystem", "Qt",         "Exiv2",    "libjpeg-turbo",    "libpng",
        "libtiff",        "fontconfig", "FreeType", "libVelomiraIS.so", "libVelomiraISE.so"};
    ASSERT_EQ(names(rows), expectedOrder);

    const QRegularExpression release(R"(^\d+\.\d+\.\d+$)");
    for (const VersionRow& row : rows.mid(1))
        EXPECT_TRUE(release.match(row.Version).hasMatch())
            << row.Komponente.toStdString() << ": " << row.Version.toStdString();
    EXPECT_EQ(rows[1].Version, QT_VERSION_STR);
    const std::pair<int, const char*> packages[] = {
        {2, "exiv2"}, {3, "libjpeg"}, {4, "libpng"}, {6, "fontconfig"}};
    for (const auto& [row, package] : packages)
        if (const QString installed = installedVersion(package); !installed.isEmpty()) {
            EXPECT_EQ(rows[row].Version, installed) << package;
        }
    const QString build = ReadProjectVersion().version;
    EXPECT_EQ(rows[8].Version, build);
    EXPECT_EQ(rows[9].Version, build);
}

// Velomira installed into a temporary prefix by `cmake --install`, packed by `cpack -G DEB`, and
// checked with the tools desktops and Debian use.
#include "TestSupport.h"
#include "Version.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every file a desktop, a package manager or the program itself looks for, relative to the prefix.
const QStringList kInstalledFiles =
    QString(
        "bin/velomira " VELOMIRA_LIBDIR "/libVelomiraIS.so " VELOMIRA_LIBDIR
        "/libVelomiraISE.so " VELOMIRA_DATADIR "/Velomira.cfg " VELOMIRA_DATADIR
        "/samples/Meer.jpg share/applications/velomira.desktop "
        "share/metainfo/de.korbinheim.velomira.metainfo.xml share/icons/hicolor/scalable/apps/velomira.svg "
        "share/icons/hicolor/48x48/apps/velomira.png share/man/man1/velomira.1.gz "
        "share/doc/velomira/copyright share/doc/velomira/changelog.gz")
        .split(' ');

// One installation serves the whole suite; the tests only read it (or move it and put it back).
class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tmp_ = std::make_unique<TempDir>();
        const ProcessResult r =
            RunProgram(VELOMIRA_CMAKE, {"--install", VELOMIRA_BINARY_DIR, "--prefix", prefix()});
        log_ = r.exitCode == 0 ? QString() : r.out + r.err;
    }
    static void TearDownTestSuite() { tmp_.reset(); }
    void SetUp() override { ASSERT_TRUE(log_.isEmpty()) << log_.toStdString(); }
    static QString prefix() { return tmp_->file("prefix"); }
    static QString file(const QString& relative) { return prefix() + "/" + relative; }
    // Runs a program with the test's home and settings folders and no display.
    static ProcessResult run(const QString& program, const QStringList& args) {
        return RunProgram(program, args,
                          {"HOME=" + tmp_->path(), "XDG_CONFIG_HOME=" + tmp_->file("cfg"),
                           "DISPLAY=", "WAYLAND_DISPLAY=", "LC_ALL=C.UTF-8"});
    }
    static inline std::unique_ptr<TempDir> tmp_;
    static inline QString log_;
};

} // namespace

// Every file is in place, and each PNG size of the icon is the drawing: transparent corners, blue
// sky, the sun and the hill where the 64-unit drawing puts them. The desktop and AppStream validators
// accept the files (hints are advice; errors and warnings are faults), and the manual page renders
// without groff warnings and describes every option of --help.
TEST_F(Installed, FilesIconsValidatorsAndManualPage) {
    for (const QString& relative : kInstalledFiles)
        EXPECT_TRUE(QFileInfo(file(relative)).isFile()) << relative.toStdString();
    const std::tuple<int, int, QRgb> spots[] = {
        {1, 1, 0x00000000}, {14, 12, 0xff2e6db4}, {44, 20, 0xfff5c211}, {26, 48, 0xff3ca34a}};
    const QStringList folders = QDir(file("share/icons/hicolor")).entryList({"*x*"}, QDir::Dirs);
    EXPECT_GE(folders.size(), 5) << folders.join(' ').toStdString();
    for (const QString& folder : folders) {
        const int size = folder.section('x', 0, 0).toInt();
        const QImage icon = QImage(file("share/icons/hicolor/" + folder + "/apps/velomira.png"))
                                .convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(icon.size(), QSize(size, size)) << folder.toStdString();
        for (const auto& [x, y, colour] : spots) // smaller ones have too few pixels
            for (int shift = 0; size >= 24 && shift < 32; shift += 8)
                EXPECT_NEAR(icon.pixel(x * size / 64, y * size / 64) >> shift & 0xff, colour >> shift & 0xff,
                            8)
                    << folder.toStdString() << " at " << x << "," << y;
    }

    const ProcessResult desktop = run("desktop-file-validate", {file("share/applications/velomira.desktop")});
    EXPECT_TRUE(desktop.exitCode == 0 && !desktop.out.contains(QRegularExpression(": (error|warning): ")))
        << desktop.out.toStdString();
    // validate-tree also checks that the metainfo file's launchable names an installed desktop file.
    const ProcessResult tree = run("appstreamcli", {"validate-tree", "--no-net", "--explain", prefix()});
    EXPECT_EQ(tree.exitCode, 0) << tree.out.toStdString() << tree.err.toStdString();

    const ProcessResult page =
        run("man", {"--warnings", "-E", "UTF-8", "-l", file("share/man/man1/velomira.1.gz")});
    EXPECT_TRUE(page.exitCode == 0 && page.err.isEmpty()) << page.err.toStdString();
    const QString help = run(file("bin/velomira"), {"--help"}).out;
    QStringList options;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(R"((?:^|\s)(--?[a-z]+|/c)\b)").globalMatch(help))
        options << m.captured(1);
    for (const QString& option : options)
        EXPECT_TRUE(page.out.contains(option)) << option.toStdString();
    EXPECT_GE(options.size(), 6) << help.toStdString();
}

// The installed program composes, and still does after the whole prefix has been moved elsewhere; it
// stamps the placeholders, with Exiv2's words as the one in the build tree does and in German where
// no locale is set: here the orientation of the installed sample given an EXIF block that holds just
// that (0x0112 = 1).
TEST_F(Installed, ProgramWorksFromThePrefixAndAfterAMove) {
    QDir().mkpath(tmp_->file("cfg/Korbinheim"));
    QDir().mkpath(tmp_->file("Bild"));
    const QByteArray jpeg = ReadFile(file(VELOMIRA_DATADIR "/samples/Meer.jpg")),
                     exif = QByteArray("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x01", 26) +
                            QByteArray(6, 0);
    WriteFile(tmp_->file("Bild/oben.jpg"),
              jpeg.left(2) + "\xFF\xE1" + char(0) + char(exif.size() + 2) + exif + jpeg.mid(2));
    const QString ini = "[misc]\nbmpverzeichnis=%1\n[path]\n1=%1/Bild/\n[textstempel]\nausgeben=1\ntext=%2\n";
    const auto stamped = [&](const QString& program, const QString& text) {
        WriteFile(tmp_->file("cfg/Korbinheim/Velomira.ini"), ini.arg(tmp_->path(), text).toUtf8());
        QFile::remove(tmp_->file("Velomira.bmp"));
        const ProcessResult next = run(program, {"--next", "--size", "640x480"});
        EXPECT_EQ(next.exitCode, 0) << program.toStdString() << ": " << next.err.toStdString();
        return QImage(tmp_->file("Velomira.bmp"));
    };
    const QImage expected = stamped(file("bin/velomira"), "Bild oben: oben - links");
    EXPECT_EQ(expected.size(), QSize(640, 480));
    EXPECT_NE(stamped(file("bin/velomira"), "Bild oben: top, left"), expected);
    EXPECT_EQ(stamped(VELOMIRA_PROGRAM, "Bild %n: %e274"), expected);
    const QString moved = tmp_->file("moved");
    for (const QString& root : {prefix(), moved}) {
        EXPECT_EQ(stamped(root + "/bin/velomira", "Bild %n: %e274"), expected) << root.toStdString();
        ASSERT_TRUE(root == moved || QDir().rename(prefix(), moved));
    }
    ASSERT_TRUE(QDir().rename(moved, prefix()));
}

// The Debian package holds every installed file, lintian finds no error, and apt agrees that its
// dependencies exist.
TEST(Package, DebianPackage) {
    const TempDir tmp;
    const ProcessResult pack = RunProgram(VELOMIRA_CPACK, {"-G", "DEB", "-B", tmp.path(), "--config",
                                                           VELOMIRA_BINARY_DIR "/CPackConfig.cmake"});
    ASSERT_EQ(pack.exitCode, 0) << pack.out.toStdString() << pack.err.toStdString();
    const QStringList debs = QDir(tmp.path()).entryList({"*.deb"});
    ASSERT_EQ(debs.size(), 1);
    const QString deb = tmp.file(debs[0]);
    const QString contents = RunProgram("dpkg-deb", {"--contents", deb}).out;
    for (const QString& relative : kInstalledFiles)
        EXPECT_TRUE(contents.contains(" ./usr/" + relative + "\n")) << relative.toStdString();
    const ProcessResult lintian = RunProgram("lintian", {"--fail-on", "error", deb});
    EXPECT_EQ(lintian.exitCode, 0) << lintian.out.toStdString() << lintian.err.toStdString();
    const ProcessResult apt =
        RunProgram("apt-get", {"install", "--simulate", "--no-install-recommends", deb});
    EXPECT_EQ(apt.exitCode, 0) << apt.out.toStdString() << apt.err.toStdString();
}

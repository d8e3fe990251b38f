// Placeholder expansion and EXIF/IPTC reading through the real library, on JPEGs written with Exiv2.
#include "StampSupport.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "compose/Placeholders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <exiv2/exiv2.hpp>

namespace {

// A JPEG of one colour at `path` carrying metadata written with Exiv2: keys as Exiv2 names them
// ("Exif.Image.Model", "Iptc.Application2.Keywords") with values as Exiv2 reads them from text; a
// repeated IPTC key gives repeated datasets.
struct PictureMetadata {
    std::vector<std::pair<const char*, const char*>> exif = {}, iptc = {};
};
void WriteJpegWithMetadata(const QString& path, const PictureMetadata& metadata, QSize size = {16, 16}) {
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "JPEG"));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations" // Exiv2 0.27 hands out std::auto_ptr
    const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
#pragma GCC diagnostic pop
    Exiv2::ExifData exif;
    for (const auto& [key, value] : metadata.exif)
        exif[key] = std::string(value);
    Exiv2::IptcData iptc;
    for (const auto& [key, value] : metadata.iptc) {
        Exiv2::Iptcdatum datum{Exiv2::IptcKey(key)};
        datum.setValue(value);
        iptc.add(datum);
    }
    image->setExifData(exif);
    image->setIptcData(iptc);
    image->writeMetadata();
}

} // namespace

using Placeholders = LibraryTest;

TEST_F(Placeholders, PathDateTimeAndMetadataCodes) {
    SetClock([] { return QDateTime(QDate(2009, 2, 3), QTime(10, 5, 9)); });
    const TempDir tmp;
    const QString photo = tmp.file("Hund.JPG"), plain = tmp.file("plain.png");
    WriteJpegWithMetadata(photo,
                          {.exif = {{"Exif.Image.Model", "Kamera X1"},
                                    {"Exif.Image.ImageDescription", "50%e272 %i25"},
                                    {"Exif.Photo.ExposureTime", "1/200"},
                                    {"Exif.Photo.FNumber", "28/10"},
                                    {"Exif.GPSInfo.GPSLatitudeRef", "N"},
                                    {"Exif.Image.XPTitle", "32 0 72 0 252 0 103 0 101 0 108 0 32 0 0 0"},
                                    {"Exif.Image.XPAuthor", "0 0"}},
                           .iptc = {{"Iptc.Application2.Keywords", "Hund"},
                                    {"Iptc.Application2.Keywords", "Strand"},
                                    {"Iptc.Application2.Caption", "Am Meer"}}});
    QImage(4, 4, QImage::Format_RGB888).save(plain);
    const QLocale system = QLocale::system();
    const QString tuesday = system.language() == QLocale::C ? "Dienstag" : system.dayName(2);
    const QString cases[][3] = {
        {photo, "Bild %n vom %d, %N.%A", "Bild Hund vom 03.02.2009, Hund.JPG"},
        {"/home/anna/Urlaub 2008/strand.jpg", "%K|%l|%P|%v|%a",
         "/home/anna/Urlaub 2008/strand.jpg||home/anna/Urlaub 2008|Urlaub 2008|jpg"},
        {"strand.jpg", "[%p][%v][%n]", "[][][strand]"},
        {"/a.b.jpg", "%n|%a", "a.b|jpg"},
        {"/x/%d.jpg", "%n", "03.02.2009"},      // a later code in a value is expanded by its own pass
        {"/x/a.jpg", "%%nn 100%", "jpgn 100%"}, // "%n" makes "%an", which the %a pass takes
        {"/x/a.jpg", "%u %W", "10:05:09 " + tuesday},
        {"", "[%k%l%p%v%n%a]", "[]"},                                 // the plain canvas
        {photo, "%e272x %e0000000000000272", "Kamera X1x Kamera X1"}, // the digits end at the x
        {photo, "%e33434 %e33437", "1/200 F2.8"},                     // as people write them
        {photo, "%e1", "North"},                    // the GPS directory before the interoperability one
        {photo, "[%e40091][%e40093]", "[Hügel][]"}, // UTF-16 bytes, spaces around removed
        {photo, "%e270", "50%e272 %i25"},           // inserted values are never codes
        {photo, "%e305|%e", "?????|?????"},         // missing tags show; %e is tag 0
        {photo, "[%i5][?I120] %i25", "[][Am Meer] Hund, Strand"}, // missing datasets disappear
        {photo, "%%i5i25", "Hund, Strand"},                       // an empty value joins the text around it
        {plain, "%e272 [%i25]", "????? []"},                      // no metadata blocks
        {tmp.file("fehlt.jpg"), "%n %e272 [%i25]", "fehlt ????? []"},
    };
    for (const auto& [path, text, expected] : cases)
        EXPECT_EQ(ExpandPlaceholders(text, path, SplitPath(path)), expected)
            << text.toStdString() << " " << path.toStdString();
    SetClock({});
}

// `velomira --next` with the text stamp on, as a user runs it: the placeholders in the settings
// reach the wallpaper expanded. The program runs on a fixed day (libfaketime).
TEST(NextStamp, PlaceholdersReachTheWallpaper) {
    const TempDir tmp;
    QDir().mkpath(tmp.file("Bilder"));
    QDir().mkpath(tmp.file("cfg/Korbinheim"));
    WriteJpegWithMetadata(tmp.file("Bilder/Hund.jpg"), {.exif = {{"Exif.Image.Model", "Kamera X1"}}},
                          {640, 360});
    const auto compose = [&](const QString& text) {
        WriteFile(
            tmp.file("cfg/Korbinheim/Velomira.ini"),
            ("[misc]\nbmpverzeichnis=" + tmp.path() + "\npassende_farbe=0\n[path]\n1=" + tmp.file("Bilder/") +
             "\n[textstempel]\nausgeben=1\nhoehe=24\nhintergrund=1\nhintergrunddeckkraft=40\ntext=" + text +
             "\n")
                .toUtf8());
        const ProcessResult r = RunProgram(
            VELOMIRA_PROGRAM, {"--next", "--size", "640x360"},
            {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"),
             "DISPLAY=", "WAYLAND_DISPLAY=", "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
             "FAKETIME=@2024-12-11 12:00:00",
             "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(tmp.file("Velomira.bmp")).convertToFormat(QImage::Format_RGB888);
    };
    const QImage stamped = compose("Bild %n vom %d %e272");
    ASSERT_EQ(stamped.size(), QSize(640, 360));
    EXPECT_EQ(stamped, compose("Bild Hund vom 11.12.2024 Kamera X1"));
    const QImage corner = stamped.copy(0, 0, 420, 56);
    EXPECT_NE(corner,
              QImage(tmp.file("Bilder/Hund.jpg")).convertToFormat(QImage::Format_RGB888).copy(0, 0, 420, 56));
    corner.save(VELOMIRA_TEST_OUTPUT "/stamp-corner.png");
}

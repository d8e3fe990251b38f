// Placeholder expansion and EXIF/IPTC reading through the real library, on JPEGs written with Exiv2.
#include "StampSupport.h"

#include "app/Clock.h"
#include "compose/Placeholders.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <exiv2/exiv2.hpp>

namespace {

// A JPEG of one colour at `path` carrying metadata written with Exiv2: "key=value" tags split at "|", keys
// as Exiv2 names them ("Exif.Image.Model", "Iptc.Application2.Keywords") with values as Exiv2 reads
// them from text; a repeated IPTC key gives repeated datasets.
void WriteJpegWithMetadata(const QString& path, const QString& tags) {
    QImage picture(16, 16, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "JPEG"));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations" // Exiv2 0.27 hands out std::auto_ptr
    const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
#pragma GCC diagnostic pop
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    for (const QString& tag : tags.split(u'|')) {
        const std::string key = tag.section(u'=', 0, 0).toStdString(),
                          value = tag.section(u'=', 1).toStdString();
        if (key.starts_with("Iptc.")) iptc.add(Exiv2::Iptcdatum(Exiv2::IptcKey(key)) = value);
        if (key.starts_with("Exif.")) exif[key] = value;
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
    WriteJpegWithMetadata(
        photo,
        "Exif.Image.Model=Kamera X1|Exif.Photo.ExposureTime=1/200|Exif.Photo.FNumber=28/10|"
        "Exif.GPSInfo.GPSLatitudeRef=N|Exif.GPSInfo.GPSLatitude=51/1 30/1 15/1|Exif.Image.Orientation=1|"
        "Exif.Image.ImageDescription=Beach|Exif.Photo.FocalLength=50/1|Exif.Image.XPAuthor=0 0|"
        "Exif.Photo.UserComment=charset=Ascii Am Strand  |Exif.Image.XPTitle=32 0 72 0 252 0 103 0 "
        "101 0 108 0 32 0 0 0|Iptc.Application2.Keywords=Hund|Iptc.Application2.Keywords=Strand|"
        "Iptc.Application2.Caption=Am Meer");
    QImage(4, 4, QImage::Format_RGB888).save(plain);
    const QLocale system = QLocale::system();
    const QString tuesday = system.language() == QLocale::C ? "Dienstag" : system.dayName(2);
    // Exiv2's words in German where the program speaks German (a German locale, or none), else as
    // in an English one.
    const bool german = system.language() == QLocale::C || system.language() == QLocale::German;
    const QString cases[][3] = {
        {photo, "Bild %n vom %d, %N.%A", "Bild Hund vom 03.02.2009, Hund.JPG"},
        {"/home/anna/Urlaub 2008/strand.jpg", "%K|%l|%P|%v|%a",
         "/home/anna/Urlaub 2008/strand.jpg||home/anna/Urlaub 2008|Urlaub 2008|jpg"},
        {"strand.jpg", "[%p][%v][%n]", "[][][strand]"},
        {"/a.b.jpg", "%n|%a", "a.b|jpg"},
        {"/x/%d.jpg", "%n", "03.02.2009"}, // a later code in a value is expanded by its own pass
        // "%n" makes "%an", which the %a pass takes
        {"/x/a.jpg", "%%nn 100% %u %W", "jpgn 100% 10:05:09 " + tuesday},
        {"", "[%k%l%p%v%n%a]", "[]"}, // the plain canvas
        // The digits end at the x; the GPS directory before the interoperability one (both have tag 1).
        // Exiv2's words translated but not the picture's own ("Beach"), the comment without its
        // character set and padding, a space before each unit, degrees as a sign.
        {photo, "%e272x %e0000000000000272 %e1|%e274|%e270|%e37510|%e33434 %e33437 %e37386 %e2",
         QString("Kamera X1x Kamera X1 ") + (german ? "Norden|oben - links" : "North|top, left") +
             "|Beach|Am Strand|1/200 s F2.8 50.0 mm 51° 30' 15\""},
        // UTF-16 bytes, spaces around removed; missing tags show, and %e is tag 0.
        {photo, "[%e40091][%e40093] %e305|%e", "[Hügel][] ?????|?????"},
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

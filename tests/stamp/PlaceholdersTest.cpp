// Placeholder expansion with the real metadata readers on a JPEG written with Exiv2.
#include "MetadataFiles.h"
#include "StampSupport.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "compose/Placeholders.h"
#include "imagelib/ImageError.h"

#include <QLocale>

struct Placeholders : LibraryTest {
    TempDir tmp;
    QString photo = tmp.file("Hund.JPG");

    void SetUp() override {
        LibraryTest::SetUp();
        SetClock([] { return QDateTime(QDate(2009, 2, 3), QTime(10, 5, 9)); });
        WriteJpegWithMetadata(photo, {.exif = {{"Exif.Image.Model", "Kamera X1"},
                                               {"Exif.Image.ImageDescription", "50%e272 %i25"}},
                                      .iptc = {{"Iptc.Application2.Keywords", "Hund"},
                                               {"Iptc.Application2.Keywords", "Strand"},
                                               {"Iptc.Application2.Keywords", "Sommer"},
                                               {"Iptc.Application2.Caption", "Am Meer"}}});
    }
    void TearDown() override { SetClock({}); }
    QString expand(const QString& text, const QString& path) {
        return ExpandPlaceholders(text, path, SplitPath(path));
    }
};

TEST_F(Placeholders, PathDateAndTimeCodes) {
    const QLocale system = QLocale::system();
    const QString tuesday = system.language() == QLocale::C ? "Dienstag" : system.dayName(2);
    const QString cases[][3] = {
        {"/Fotos/Hund.JPG", "Bild %n vom %d", "Bild Hund vom 03.02.2009"},
        {"/Fotos/Hund.JPG", "%N.%A", "Hund.JPG"},
        {"/home/anna/Urlaub 2008/strand.jpg", "%K|%l|%P|%v|%a",
         "/home/anna/Urlaub 2008/strand.jpg||home/anna/Urlaub 2008|Urlaub 2008|jpg"},
        {"strand.jpg", "[%p][%v][%n]", "[][][strand]"},
        {"/a.b.jpg", "%n|%a", "a.b|jpg"},
        {"/x/%d.jpg", "%n", "03.02.2009"},      // a later code in a value is expanded by its own pass
        {"/x/a.jpg", "%%nn 100%", "jpgn 100%"}, // "%n" makes "%an", which the %a pass takes
        {"/x/a.jpg", "%u %W", "10:05:09 " + tuesday},
        {"", "[%k%l%p%v%n%a]", "[]"}, // the plain canvas
    };
    for (const auto& [path, text, expected] : cases)
        EXPECT_EQ(expand(text, path), expected) << text.toStdString() << " " << path.toStdString();
}

TEST_F(Placeholders, MetadataCodes) {
    const QString cases[][2] = {
        {"%e272x", "Kamera X1x"},    // the digits end at the x
        {"%e270", "50%e272 %i25"},   // inserted values are never codes
        {"%e305|%e", "?????|?????"}, // missing tags show, %e alone asks for tag 0
        {"[%i5][?I120] %i25", "[][Am Meer] Hund, Strand, Sommer"}, // missing datasets disappear
        {"%%i5i25", "Hund, Strand, Sommer"},                       // an empty value joins the text around it
        {"%e0000000000000272", "Kamera X1"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(expand(text, photo), expected) << text.toStdString();
    EXPECT_EQ(expand("%n %e272 [%i25]", tmp.file("fehlt.jpg")), "fehlt ????? []");
}

TEST_F(Placeholders, DigitRunsBeyond32BitsFail) {
    EXPECT_EQ(expand("[%i2147483647]", photo), "[]");
    for (const char* text : {"%e2147483648", "?i4294967296"}) {
        try {
            expand(text, photo);
            ADD_FAILURE() << text;
        } catch (const ImageError& e) {
            EXPECT_TRUE(e.description().contains(QString(text).left(2))) << e.description().toStdString();
        }
    }
}

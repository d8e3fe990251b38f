// Placeholder expansion with the real metadata readers on JPEGs written with Exiv2.
#include "MetadataFiles.h"
#include "StampSupport.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "compose/Placeholders.h"
#include "imagelib/ImageError.h"

#include <QLocale>

namespace {

struct Placeholders : LibraryTest {
    TempDir tmp;
    QString photo;

    void SetUp() override {
        LibraryTest::SetUp();
        SetClock([] { return QDateTime(QDate(2009, 2, 3), QTime(10, 5, 9)); });
        photo = tmp.file("Hund.JPG");
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

QString tuesday() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? "Dienstag" : system.dayName(2);
}

} // namespace

TEST_F(Placeholders, PathDateAndTimeCodes) {
    struct Case {
        QString path, text, expected;
    } const cases[] = {
        {"/Fotos/Hund.JPG", "Bild %n vom %d", "Bild Hund vom 03.02.2009"},
        {"/Fotos/Hund.JPG", "%N.%A", "Hund.JPG"},
        {"/home/anna/Urlaub 2008/strand.jpg", "%K|%l|%P|%v|%a",
         "/home/anna/Urlaub 2008/strand.jpg||home/anna/Urlaub 2008|Urlaub 2008|jpg"},
        {"strand.jpg", "[%p][%v][%n]", "[][][strand]"},
        {"/a.b.jpg", "%n|%a", "a.b|jpg"},
        {"/bilder/README", "%n|%a|%v", "README||bilder"},
        {"/x/%d.jpg", "%n", "03.02.2009"},      // a later code in a value is expanded by its own pass
        {"/x/%k.jpg", "%k", "/x/%k.jpg"},       // but not by the pass that inserted it
        {"/x/a.jpg", "%%nn 100%", "jpgn 100%"}, // "%n" makes "%an", which the %a pass takes
        {"/x/a.jpg", "%u %W", "10:05:09 " + tuesday()},
        {"", "[%k%l%p%v%n%a]", "[]"}, // the plain canvas
    };
    for (const Case& c : cases)
        EXPECT_EQ(expand(c.text, c.path), c.expected) << c.text.toStdString() << " " << c.path.toStdString();
}

TEST_F(Placeholders, MetadataCodes) {
    struct Case {
        QString text, expected;
    } const cases[] = {
        {"%e272x", "Kamera X1x"}, // the digits end at the x
        {"%E272 %e272", "Kamera X1 Kamera X1"},
        {"%e270", "50%e272 %i25"},   // inserted values are never codes
        {"%e305|%e", "?????|?????"}, // missing tags show, %e alone asks for tag 0
        {"%i25", "Hund, Strand, Sommer"},
        {"[%i5][?I120]", "[][Am Meer]"}, // missing datasets disappear
        {"?i120 %i25", "Am Meer Hund, Strand, Sommer"},
        {"%i%i25", "Hund, Strand, Sommer"},  // %i alone asks for dataset 0, which is missing
        {"%%i5i25", "Hund, Strand, Sommer"}, // an empty value joins the text around it
        {"%e0000000000000272", "Kamera X1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expand(c.text, photo), c.expected) << c.text.toStdString();
    EXPECT_EQ(expand("%n %e272 [%i25]", tmp.file("fehlt.jpg")), "fehlt ????? []");
}

TEST_F(Placeholders, DigitRunsBeyond32BitsFail) {
    EXPECT_EQ(expand("[%i2147483647]", photo), "[]");
    for (const char* text : {"%e2147483648", "%i99999999999", "?i4294967296"}) {
        try {
            expand(text, photo);
            ADD_FAILURE() << text;
        } catch (const ImageError& e) {
            EXPECT_TRUE(e.description().contains(QString(text).left(2))) << e.description().toStdString();
        }
    }
}

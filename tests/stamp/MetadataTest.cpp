// EXIF and IPTC read from JPEG files the tests write with Exiv2, through the real library.
#include "MetadataFiles.h"
#include "StampSupport.h"
#include "TestSupport.h"

#include "compose/PictureMetadata.h"

struct Metadata : LibraryTest {
    TempDir tmp;
};

TEST_F(Metadata, ExifTagsAsPeopleReadThem) {
    const QString photo = tmp.file("photo.jpg"), plain = tmp.file("plain.png");
    WriteJpegWithMetadata(photo,
                          {.exif = {{"Exif.Image.Model", "Kamera X1"},
                                    {"Exif.Photo.ExposureTime", "1/200"},
                                    {"Exif.Photo.FNumber", "28/10"},
                                    {"Exif.GPSInfo.GPSLatitudeRef", "N"},
                                    {"Exif.Image.XPTitle", "32 0 72 0 252 0 103 0 101 0 108 0 32 0 0 0"},
                                    {"Exif.Image.XPAuthor", "0 0"}}});
    QImage(4, 4, QImage::Format_RGB888).save(plain);
    const std::tuple<QString, int, QString> cases[] = {
        {photo, 272, "Kamera X1"}, {photo, 33434, "1/200"}, {photo, 33437, "F2.8"},
        {photo, 1, "North"},     // the GPS directory before the interoperability one
        {photo, 40091, "Hügel"}, // UTF-16 bytes, spaces around removed
        {photo, 40093, ""},      // only the terminating zero
        {photo, 305, "?????"},     {plain, 272, "?????"},   {tmp.file("missing.jpg"), 272, "?????"},
    };
    for (const auto& [path, tag, expected] : cases)
        EXPECT_EQ(ReadExifTag(path, tag), expected) << tag << " " << path.toStdString();
}

TEST_F(Metadata, IptcDatasetsJoinedByNumber) {
    const QString photo = tmp.file("photo.jpg");
    WriteJpegWithMetadata(photo, {.iptc = {{"Iptc.Application2.Keywords", "Hund"},
                                           {"Iptc.Application2.Caption", "  Am Strand  "},
                                           {"Iptc.Application2.Keywords", "Strand"},
                                           {"Iptc.Application2.Keywords", "Sommer"}}});
    ReadIptcData(photo);
    EXPECT_EQ(GetIptcTag(25), "Hund, Strand, Sommer");
    EXPECT_EQ(GetIptcTag(120), "Am Strand");
    EXPECT_EQ(GetIptcTag(5), "?????");
    // Each reading replaces the table, also when the file has no IPTC data.
    WriteJpegWithMetadata(photo, {.exif = {{"Exif.Image.Model", "X"}}});
    ReadIptcData(photo);
    EXPECT_EQ(GetIptcTag(25), "?????");
}

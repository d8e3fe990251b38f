#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// EXIF tags and IPTC datasets of a picture file, as text for the stamp. Missing values read as
// kMissingValue; nothing here reports to the user.
inline const QString kMissingValue = QStringLiteral("?????");

// The EXIF tag `tag` of the file at `path`, kMissingValue when the file, its EXIF block or the tag
// is missing. The Windows title, comment, author, keywords and subject tags (40091 to 40095) are
// decoded from their UTF-16 bytes. Raises an ImageError when their byte list holds an entry that
// is not a byte value.
QString ReadExifTag(const QString& path, int32_t tag);

// Reads the IPTC datasets of the file at `path` into the table GetIptcTag looks in; repeated
// datasets of one number (keywords) are joined by ", ". Without IPTC data the table is empty.
void ReadIptcData(const QString& path);

// The text of IPTC dataset `dataset` as the last ReadIptcData found it, kMissingValue when missing.
QString GetIptcTag(int32_t dataset);

// The text of a Windows XP tag from the library's byte list ("84,0,x69,0,0,0": decimal, or hex
// after an "x"), the last two entries (the terminating zero) left out, as UTF-16LE, with spaces
// around it removed. Raises an ImageError for an entry that is not a byte value.
QString DecodeXpText(QStringView byteList);

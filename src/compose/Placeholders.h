#pragma once

#include "compose/SplitPath.h"

#include <QString>
#include <cstdint>
#include <functional>

// Where the EXIF and IPTC codes get their values; the program's readers by default.
struct MetadataLookup {
    std::function<QString(const QString& path, int32_t tag)> exifTag;
    std::function<void(const QString& path)> readIptc;
    std::function<QString(int32_t dataset)> iptcTag;

    static MetadataLookup PictureFile();
};

// The stamp text with its codes replaced (letter case does not matter), in this order:
//   %k full path, %l drive (always empty), %p directory, %v its last component, %n name,
//   %a extension, %d date "dd.mm.yyyy", %u time "hh:mm:ss", %w weekday name (system locale,
//   German without one) - each in one pass from the left whose inserted values that pass does not
//   scan again, so a later pass does expand them (a picture named "%d.jpg" shows the date for %n);
//   then %e<digits> the EXIF tag (shown even when it is "?????"); then, after the IPTC data is read,
//   every %i<digits>, then every ?i<digits>, the IPTC dataset, left out when it is missing.
// Values inserted for %e, %i and ?i are never taken as codes. Date and time come from Now().
// Raises an ImageError when the digits of a code do not fit a 32-bit signed number.
QString ExpandPlaceholders(const QString& text, const QString& path, const PathParts& parts,
                           const MetadataLookup& lookup = MetadataLookup::PictureFile());

#pragma once

#include <QSize>
#include <QString>
#include <utility>
#include <vector>

// Metadata written into a test picture with Exiv2: keys as Exiv2 names them ("Exif.Image.Model",
// "Iptc.Application2.Keywords") with values as Exiv2 reads them from text; a repeated IPTC key
// gives repeated datasets.
struct PictureMetadata {
    std::vector<std::pair<const char*, const char*>> exif = {}, iptc = {};
};

// A JPEG of one colour at `path` carrying `metadata`.
void WriteJpegWithMetadata(const QString& path, const PictureMetadata& metadata, QSize size = {16, 16});

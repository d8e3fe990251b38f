#pragma once

#include <QSize>
#include <QString>
#include <utility>
#include <vector>

// Metadata written into a test picture with Exiv2: EXIF keys ("Exif.Image.Model") with their values
// as Exiv2 reads them from text, and IPTC keys ("Iptc.Application2.Keywords"), repeated keys
// giving repeated datasets.
struct PictureMetadata {
    std::vector<std::pair<const char*, const char*>> exif;
    std::vector<std::pair<const char*, const char*>> iptc;
};

// A JPEG of one colour at `path` carrying `metadata`.
void WriteJpegWithMetadata(const QString& path, const PictureMetadata& metadata, QSize size = {16, 16});

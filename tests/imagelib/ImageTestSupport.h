#pragma once

#include "imagelib/ImageBuffer.h"

#include <QByteArray>
#include <QImage>
#include <array>
#include <vector>

using Rgb = std::array<int, 3>;

// Loads the image libraries from the build tree once.
void LoadImageLibrary();

Rgb PixelAt(const ImageBuffer& image, int x, int y);
ImageBuffer Filled(int32_t width, int32_t height, Rgb colour);

// The bytes of `image` saved by Qt in `format` ("PNG", "JPG", ...).
QByteArray Encoded(const QImage& image, const char* format, int quality = -1);

// A JPEG with an EXIF block giving `orientation`, inserted after the start marker.
QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation);

// A PCX file; `pixels` holds each scan line's planes one after the other, run-length encoded
// (runs continue across lines) unless `plain`. `trailing` follows the pixel data.
struct PcxFile {
    int bits, planes, width, height, bytesPerLine;
    std::vector<uint8_t> pixels, palette, trailing;
    bool plain = false;
};
QByteArray EncodePcx(const PcxFile& pcx);

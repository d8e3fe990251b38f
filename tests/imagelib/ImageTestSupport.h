#pragma once

#include "imagelib/ImageBuffer.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

using Rgb = std::array<int, 3>;

// Loads the image libraries from the build tree once; fails the test when they cannot be loaded.
void LoadImageLibrary();

// The pixel at (x, y) of a 24-bit buffer.
Rgb PixelAt(const uint8_t* data, int32_t stride, int x, int y);
Rgb PixelAt(const ImageBuffer& image, int x, int y);

// A width x height buffer filled with one colour.
ImageBuffer Filled(int32_t width, int32_t height, Rgb colour);

// The bytes of `image` saved by Qt in `format` ("PNG", "JPG", ...).
QByteArray Encoded(const QImage& image, const char* format, int quality = -1);

// A GIF of two frames of at most 256 pixels each.
QByteArray EncodeGif(const QImage& first, const QImage& second);

// A JPEG with an EXIF block that gives `orientation`, inserted after the start marker.
QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation);

// A PCX file: `lines` holds each scan line's planes one after the other (bytesPerLine each), and
// is run-length encoded unless `plain`.
struct PcxFile {
    int bits = 8;
    int planes = 1;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    std::vector<uint8_t> pixels;   // height * planes * bytesPerLine bytes
    std::vector<uint8_t> palette;  // 16 RGB triples for the header
    std::vector<uint8_t> trailing; // appended after the pixel data (e.g. the 256-colour palette)
    bool plain = false;
};
QByteArray EncodePcx(const PcxFile& pcx);

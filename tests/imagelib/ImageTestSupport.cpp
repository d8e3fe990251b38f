#include "ImageTestSupport.h"

#include "imagelib/ImageLibrary.h"

#include <QBuffer>
#include <gtest/gtest.h>

void LoadImageLibrary() {
    if (!Library().loaded()) {
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), QString());
    }
}

Rgb PixelAt(const ImageBuffer& image, int x, int y) {
    const uint8_t* p = image.data() + y * image.stride() + x * 3;
    return {p[0], p[1], p[2]};
}

ImageBuffer Filled(int32_t width, int32_t height, Rgb colour) {
    ImageBuffer image = ImageBuffer::Allocate(width, height);
    for (size_t i = 0; i < image.size(); ++i)
        image.data()[i] = uint8_t(colour[i % 3]);
    return image;
}

QByteArray Encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation) {
    // "Exif\0\0", a big-endian TIFF header, one IFD with the single entry 0x0112 (SHORT).
    const QByteArray payload = QByteArray("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                               char(orientation) + QByteArray(6, 0);
    return jpeg.left(2) + "\xFF\xE1" + char(0) + char(payload.size() + 2) + payload + jpeg.mid(2);
}

QByteArray EncodePcx(const PcxFile& pcx) {
    QByteArray out(128, '\0');
    const auto put16 = [&](int at, int value) { out[at] = char(value), out[at + 1] = char(value >> 8); };
    out[0] = 0x0A, out[1] = 5, out[2] = pcx.plain ? 0 : 1, out[3] = char(pcx.bits);
    put16(8, pcx.width - 1);
    put16(10, pcx.height - 1);
    for (size_t i = 0; i < pcx.palette.size(); ++i)
        out[16 + int(i)] = char(pcx.palette[i]);
    out[65] = char(pcx.planes);
    put16(66, pcx.bytesPerLine);
    const std::vector<uint8_t>& p = pcx.pixels;
    for (size_t i = 0; i < p.size();) {
        size_t run = 1;
        while (!pcx.plain && i + run < p.size() && p[i + run] == p[i] && run < 63)
            ++run;
        if (!pcx.plain && (run > 1 || p[i] >= 0xC0)) out += char(0xC0 | run);
        out += char(p[i]);
        i += run;
    }
    return out +
           QByteArray(reinterpret_cast<const char*>(pcx.trailing.data()), qsizetype(pcx.trailing.size()));
}

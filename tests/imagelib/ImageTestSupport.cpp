#include "ImageTestSupport.h"

#include "imagelib/ImageLibrary.h"

#include <QBuffer>
#include <gtest/gtest.h>

void LoadImageLibrary() {
    if (!Library().loaded()) {
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), QString());
    }
}

Rgb PixelAt(const uint8_t* data, int32_t stride, int x, int y) {
    const uint8_t* p = data + y * stride + x * 3;
    return {p[0], p[1], p[2]};
}

Rgb PixelAt(const ImageBuffer& image, int x, int y) {
    return PixelAt(image.data(), image.stride(), x, y);
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
                               char(orientation) + QByteArray("\0\0\0\0\0\0", 6);
    const int length = int(payload.size()) + 2;
    QByteArray segment("\xFF\xE1");
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

namespace {

void put16(QByteArray& out, int at, int value) {
    out[at] = char(value & 0xFF);
    out[at + 1] = char(value >> 8);
}

QByteArray runLength(const std::vector<uint8_t>& bytes) {
    QByteArray out;
    for (size_t i = 0; i < bytes.size();) {
        size_t run = 1;
        while (i + run < bytes.size() && bytes[i + run] == bytes[i] && run < 63)
            ++run;
        if (run > 1 || bytes[i] >= 0xC0) out += char(0xC0 | run);
        out += char(bytes[i]);
        i += run;
    }
    return out;
}

// 9-bit codes with no table growth (every code a literal), and a local colour table whose entry
// i is pixel i.
QByteArray gifFrame(const QImage& image) {
    QByteArray codes;
    uint32_t bits = 0, count = 0;
    const auto put = [&](uint32_t code) {
        bits |= code << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            codes += char(bits & 0xFF);
    };
    put(256);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            put(uint32_t(y * image.width() + x));
    put(257);
    if (count > 0) codes += char(bits & 0xFF);
    QByteArray frame("\x2C\0\0\0\0", 5);
    frame += char(image.width()) + QByteArray(1, 0) + char(image.height()) + QByteArray(1, 0);
    frame += char(0x87); // local colour table of 256 entries: entry i is pixel i
    for (int i = 0; i < 256; ++i) {
        const QColor c = i < image.width() * image.height()
                             ? image.pixelColor(i % image.width(), i / image.width())
                             : QColor(0, 0, 0);
        frame += char(c.red()) + QByteArray(1, char(c.green())) + char(c.blue());
    }
    return frame + char(8) + char(codes.size()) + codes + QByteArray(1, 0);
}

} // namespace

QByteArray EncodeGif(const QImage& first, const QImage& second) {
    QByteArray out("GIF89a");
    out +=
        char(first.width()) + QByteArray(1, 0) + char(first.height()) + QByteArray(1, 0) + QByteArray(3, 0);
    return out + gifFrame(first) + gifFrame(second) + ';';
}

QByteArray EncodePcx(const PcxFile& pcx) {
    QByteArray out(128, '\0');
    out[0] = 0x0A;
    out[1] = 5;
    out[2] = pcx.plain ? 0 : 1;
    out[3] = char(pcx.bits);
    put16(out, 8, pcx.width - 1);
    put16(out, 10, pcx.height - 1);
    for (size_t i = 0; i < pcx.palette.size() && i < 48; ++i)
        out[16 + int(i)] = char(pcx.palette[i]);
    out[65] = char(pcx.planes);
    put16(out, 66, pcx.bytesPerLine);
    out[68] = 1;
    out += pcx.plain
               ? QByteArray(reinterpret_cast<const char*>(pcx.pixels.data()), qsizetype(pcx.pixels.size()))
               : runLength(pcx.pixels);
    out += QByteArray(reinterpret_cast<const char*>(pcx.trailing.data()), qsizetype(pcx.trailing.size()));
    return out;
}

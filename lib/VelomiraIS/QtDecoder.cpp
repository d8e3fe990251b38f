#include "Decoders.h"
#include "PreChecks.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// Formats other than these (SVG, XPM, ...) are not pictures for a wallpaper and are refused.
bool isWanted(const QByteArray& format) {
    static const QByteArray wanted[] = {"jpeg", "png", "bmp", "gif", "tiff"};
    for (const QByteArray& w : wanted)
        if (format == w) return true;
    return false;
}

} // namespace

DecodedImage DecodeWithQt(std::span<const uint8_t> data) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    if (data.empty() || !reader.canRead() || !isWanted(reader.format())) return DecodeError(IS40_ERR_FORMAT);
    if (const int32_t error = CheckBeforeQt(data, reader.format())) return DecodeError(error);
    // Refuse oversized pictures from the header, before Qt allocates anything.
    const QSize size = reader.size();
    if (size.isValid())
        if (const int32_t error = CheckPictureSize(size.width(), size.height())) return DecodeError(error);

    QImage image = reader.read();
    if (image.isNull())
        return DecodeError(reader.error() == QImageReader::InvalidDataError ? IS40_ERR_CORRUPT
                                                                            : IS40_ERR_FORMAT);
    // Premultiplied pixels are the colour composed onto black.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.depth() != 32) return DecodeError(IS40_ERR_MEMORY);

    DecodedImage result = AllocatePicture(image.width(), image.height());
    if (!result.pixels) return result;
    uint8_t* out = result.pixels.get();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, out += 3) {
            out[0] = uint8_t(qRed(line[x]));
            out[1] = uint8_t(qGreen(line[x]));
            out[2] = uint8_t(qBlue(line[x]));
        }
    }
    return result;
}

#include "MetadataFiles.h"

#include <QFile>
#include <QImage>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

void WriteJpegWithMetadata(const QString& path, const PictureMetadata& metadata, QSize size) {
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "JPEG"));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations" // Exiv2 0.27 hands out std::auto_ptr
    const auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
#pragma GCC diagnostic pop
    Exiv2::ExifData exif;
    for (const auto& [key, value] : metadata.exif)
        exif[key] = std::string(value);
    Exiv2::IptcData iptc;
    for (const auto& [key, value] : metadata.iptc) {
        Exiv2::Iptcdatum datum{Exiv2::IptcKey(key)};
        datum.setValue(value);
        iptc.add(datum);
    }
    image->setExifData(exif);
    image->setIptcData(iptc);
    image->writeMetadata();
}

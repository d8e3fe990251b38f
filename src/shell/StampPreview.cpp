#include "shell/StampPreview.h"

#include "calendar/RenderCalendar.h"
#include "compose/TextStamp.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"
#include "platform/Paths.h"

#include <cstring>

namespace {

// A plain grey stands in when the sample picture cannot be read.
ImageBuffer plainSample(QSize size) {
    ImageBuffer plain = ImageBuffer::Allocate(size.width(), size.height());
    if (!plain.empty()) std::memset(plain.data(), 128, plain.size());
    return plain;
}

ImageBuffer copyOf(const ImageBuffer& image) {
    ImageBuffer copy = ImageBuffer::Allocate(image.width(), image.height());
    if (!copy.empty()) std::memcpy(copy.data(), image.data(), image.size());
    return copy;
}

QImage toImage(const ImageBuffer& image) {
    if (image.empty()) return {};
    return QImage(image.data(), image.width(), image.height(), image.stride(), QImage::Format_RGB888).copy();
}

} // namespace

StampPreview::StampPreview(QSize size) {
    try {
        sample_ = ResizeImage(ReadImage(DataFolder() + "/samples/Meer.jpg"), size.width(), size.height());
    } catch (const ImageError&) {
        sample_ = plainSample(size);
    }
}

QImage StampPreview::render(const Settings& settings) const {
    ImageBuffer canvas = copyOf(sample_);
    if (canvas.empty()) return {};
    const Settings::Textstempel& stamp = settings.textstempel;
    if (!stamp.text.isEmpty()) {
        const WorkingImageScope registered(canvas.data(), canvas.width(), canvas.height());
        RenderTextStamp(stamp.text, stamp, BackdropOf(stamp));
        // The calendar shows whether it is switched on or not, to judge the stamp beside it.
        RenderCalendar(settings.kalender);
    }
    return toImage(canvas);
}

QImage DirectionPicture(int richtung) {
    constexpr int side = 32;
    ImageBuffer picture = ImageBuffer::Allocate(side, side);
    if (picture.empty()) return {};
    std::memset(picture.data(), 255, picture.size());
    Settings::Textstempel style;
    style.farbe = 0;
    style.hoehe = 14;
    style.position = 5;
    style.offsetx = 0;
    style.offsety = 0;
    style.richtung = richtung;
    const WorkingImageScope registered(picture.data(), side, side);
    RenderTextStamp("Ab", style, {});
    return toImage(picture);
}

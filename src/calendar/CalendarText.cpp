#include "calendar/CalendarText.h"

#include "compose/FontRecord.h"
#include "compose/ReadableColour.h"
#include "compose/TextStamp.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageLibrary.h"

namespace {

// Text is measured at four times its height and drawn with the same factor, for smooth edges.
constexpr int32_t kSmoothing = 4;

QByteArray linesOf(const QString& text) {
    return QString(text).replace(QStringLiteral("%\\"), QStringLiteral("\r\n")).toUtf8();
}

IS40_LOGFONT recordOf(const CalendarFont& font, int32_t height) {
    return MakeFontRecord(font.face, height, font.weight, font.italic, font.underline, font.strikeOut,
                          font.charSet);
}

} // namespace

int32_t AnchorX(int32_t position, int32_t offset, int32_t width) {
    const WorkingImageView& image = WorkingImage();
    if (!image) return 0;
    return StampAnchor(position, {image.width, image.height}, {width, 0}, offset, 0).x();
}

int32_t AnchorY(int32_t position, int32_t offset, int32_t height) {
    const WorkingImageView& image = WorkingImage();
    if (!image) return 0;
    return StampAnchor(position, {image.width, image.height}, {0, height}, 0, offset).y();
}

double MeasureTextWidth(const QString& text, const CalendarFont& font) {
    const WorkingImageView& image = WorkingImage();
    if (text.isEmpty() || !image || font.height <= 0 || font.height > INT32_MAX / kSmoothing) return 0;
    const IS40_LOGFONT record = recordOf(font, font.height * kSmoothing);
    const QByteArray lines = linesOf(text);
    const IS40_RECT all{0, 0, image.width, image.height};
    int32_t width = 0, height = 0;
    if (Library().fn().IS40_GetTextLineSize2(lines.constData(), &record, &all, IS40_DT_NOPREFIX, 0, &width,
                                             &height) == 0)
        return 0;
    return width / double(kSmoothing) + 1.0;
}

void DrawSmoothText(const QString& text, const CalendarFont& font, int32_t colour, bool autoContrast,
                    int32_t opacity, int32_t format, const QRect& rect) {
    const WorkingImageView& image = WorkingImage();
    if (text.isEmpty() || !image || font.height <= 0) return;
    const IS40_LOGFONT record = recordOf(font, font.height);
    uint32_t ink = uint32_t(colour);
    if (autoContrast) ink = ReadableColour(rect.x(), rect.y(), rect.width(), rect.height()).value_or(ink);
    const QByteArray lines = linesOf(text);
    const IS40_RECT target{rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
    const ImageLibraryFunctions& fn = Library().fn();
    fn.IS40_SetTextTransparency(opacity / 100.0);
    fn.IS40_DrawSmoothTextOnRGB2(image.buffer, image.width, image.height, image.width * 3, lines.constData(),
                                 &record, kSmoothing, &target, format | IS40_DT_NOPREFIX, 0, ink);
}

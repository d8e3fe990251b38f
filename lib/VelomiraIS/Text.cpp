#include "Clip.h"
#include "LastError.h"
#include "Pixels.h"
#include "TextFont.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

thread_local double textOpacity = 1.0;

// Fonts need the application object that IS40_Initialize provides.
bool ready() {
    return QGuiApplication::instance() != nullptr;
}

double widestLine(const TextFont& font, const QStringList& lines) {
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, font.advance(line));
    return widest;
}

// The top of the first line: single lines may be centred or put on the bottom of the rectangle.
double firstLineTop(const TextFont& font, const IS40_RECT& rect, int32_t flags) {
    if (!(flags & IS40_DT_SINGLELINE)) return rect.top;
    const double room = double(rect.bottom) - rect.top - font.lineHeight();
    if (flags & IS40_DT_BOTTOM) return rect.top + room;
    if (flags & IS40_DT_VCENTER) return rect.top + room / 2;
    return rect.top;
}

double lineLeft(const IS40_RECT& rect, double advance, int32_t flags) {
    const double room = double(rect.right) - rect.left - advance;
    if (flags & IS40_DT_RIGHT) return rect.left + room;
    if (flags & IS40_DT_CENTER) return rect.left + room / 2;
    return rect.left;
}

} // namespace

extern "C" int32_t IS40_GetTextLineSize2(const char* text, const IS40_LOGFONT* font,
                                         const IS40_RECT* /*rect*/, int32_t flags, int32_t /*reserved*/,
                                         int32_t* width, int32_t* height) {
    return Guarded([&]() -> int32_t {
        if (text == nullptr || font == nullptr || width == nullptr || height == nullptr)
            return Fail(IS40_ERR_ARGUMENT);
        if (!ready()) return Fail(IS40_ERR_NOT_READY);
        const TextFont face(*font);
        const QStringList lines = TextLines(text, flags);
        const double w = std::ceil(widestLine(face, lines));
        const double h = std::ceil(face.lineHeight() * double(lines.size()));
        if (!(w < INT32_MAX && h < INT32_MAX)) return Fail(IS40_ERR_ARGUMENT);
        *width = int32_t(w);
        *height = int32_t(h);
        return 1;
    });
}

extern "C" int32_t IS40_SetTextTransparency(double opacity) {
    if (std::isnan(opacity)) return Fail(IS40_ERR_ARGUMENT);
    textOpacity = std::clamp(opacity, 0.0, 1.0);
    return 1;
}

extern "C" int32_t IS40_DrawSmoothTextOnRGB2(uint8_t* buffer, int32_t width, int32_t height, int32_t stride,
                                             const char* text, const IS40_LOGFONT* font,
                                             int32_t /*smoothing*/, const IS40_RECT* rect, int32_t flags,
                                             int32_t /*reserved*/, uint32_t colour) {
    return Guarded([&]() -> int32_t {
        const MutableView view{buffer, width, height, stride};
        if (!Valid(view) || text == nullptr || font == nullptr || rect == nullptr)
            return Fail(IS40_ERR_ARGUMENT);
        if (!ready()) return Fail(IS40_ERR_NOT_READY);
        const Box visible = Intersect(ToBox(*rect), Placed(0, 0, width, height));
        if (visible.empty() || textOpacity == 0.0) return 1;

        // The buffer itself is painted on: a QImage over foreign memory does not copy it.
        QImage image(buffer, width, height, stride, QImage::Format_RGB888);
        image.setDotsPerMeterX(kPixelDotsPerMeter);
        image.setDotsPerMeterY(kPixelDotsPerMeter);
        const TextFont face(*font);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setClipRect(
            QRect(int(visible.left), int(visible.top), int(visible.width()), int(visible.height())));
        painter.setOpacity(textOpacity);
        painter.setPen(QColor(int(colour & 0xff), int(colour >> 8 & 0xff), int(colour >> 16 & 0xff)));
        painter.setFont(face.font());
        const double scale = face.scale();
        painter.scale(1 / scale, 1 / scale); // after the clip, which is in pixels

        double top = firstLineTop(face, *rect, flags);
        for (const QString& line : TextLines(text, flags)) {
            if (top >= visible.bottom) break;
            const double left = lineLeft(*rect, face.advance(line), flags);
            if (top + face.lineHeight() > visible.top)
                painter.drawText(QPointF(left * scale, (top + face.ascent()) * scale), line);
            top += face.lineHeight();
        }
        return 1;
    });
}

#include "calendar/MoonSymbols.h"

#include "calendar/CalendarText.h"
#include "calendar/FontInstalled.h"
#include "compose/WorkingImage.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

constexpr int32_t kSymbolCharSet = 2;

// Our own symbol in a square of side `size` whose top-left corner is `corner`.
void paintSymbol(int symbol, QPointF corner, double size, QColor colour) {
    const WorkingImageView& image = WorkingImage();
    // A QImage over the canvas paints in place; the canvas is red, green, blue per pixel.
    QImage canvas(image.buffer, image.width, image.height, image.width * 3, QImage::Format_RGB888);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(corner, QSizeF(size, size));
    if (symbol == kFullMoon) {
        // The ring's stroke lies inside the disc, so every symbol covers the same square.
        const double stroke = std::max(1.0, size / 8.0);
        painter.setPen(QPen(colour, stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    if (symbol == kNewMoon) {
        painter.drawEllipse(disc);
        return;
    }
    // Angles count counter-clockwise from three o'clock: from the top through the lit side.
    QPainterPath half;
    half.moveTo(disc.center().x(), disc.top());
    half.arcTo(disc, 90, symbol == kFirstQuarter ? -180 : 180);
    half.closeSubpath();
    painter.drawPath(half);
}

} // namespace

void DrawMoonSymbol(int symbol, const QRect& rect, int32_t height, int32_t weight, int32_t colour) {
    const bool known =
        symbol == kNewMoon || symbol == kFirstQuarter || symbol == kFullMoon || symbol == kLastQuarter;
    if (!known || height <= 0 || !WorkingImage()) return;
    if (const QString face = QString::fromLatin1(kMoonFont); FontInstalled(face)) {
        const CalendarFont font{face, height, weight, 0, 0, 0, kSymbolCharSet};
        DrawSmoothText(QString(QChar(symbol)), font, colour, false, 100, kTextLeft, rect);
        return;
    }
    const QPointF corner(rect.x(), rect.y() + (rect.height() - height) / 2.0);
    paintSymbol(symbol, corner, height, QColor(colour & 0xff, colour >> 8 & 0xff, colour >> 16 & 0xff));
}

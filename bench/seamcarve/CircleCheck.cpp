#include "CircleCheck.h"

#include <cstdlib>

namespace {

bool OffSky(QRgb pixel, QRgb sky) {
    return std::abs(qRed(pixel) - qRed(sky)) + std::abs(qGreen(pixel) - qGreen(sky)) +
               std::abs(qBlue(pixel) - qBlue(sky)) >
           48;
}

} // namespace

QVector<QSize> ShapesOnSky(const QImage& carved, const QImage& original) {
    const int width = carved.width(), height = carved.height();
    QVector<int> top(width, height), bottom(width, -1); // rows of each column's first and last shape pixel
    for (int y = 0; y < height; ++y) {
        const QRgb sky = original.pixel(0, y);
        for (int x = 0; x < width; ++x)
            if (OffSky(carved.pixel(x, y), sky)) {
                top[x] = std::min(top[x], y);
                bottom[x] = y;
            }
    }
    QVector<QSize> shapes;
    for (int x = 0; x < width;) {
        if (bottom[x] < 0) {
            ++x;
            continue;
        }
        int first = top[x], last = bottom[x], end = x;
        for (; end < width && bottom[end] >= 0; ++end)
            first = std::min(first, top[end]), last = std::max(last, bottom[end]);
        shapes.append(QSize(end - x, last - first + 1));
        x = end;
    }
    return shapes;
}

bool AreTwoCircles(const QVector<QSize>& shapes) {
    if (shapes.size() != 2) return false;
    for (const QSize& shape : shapes)
        if (std::abs(shape.width() - shape.height()) > 0.05 * shape.height()) return false;
    return true;
}

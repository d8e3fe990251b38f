#include "Photo.h"

#include <cmath>
#include <random>

QImage MakePhoto(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    std::minstd_rand noise(42);
    for (int y = 0; y < height; ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const double u = double(x) / width, v = double(y) / height;
            const int grain = int(noise() % 24);
            const bool edge = (x / 97 + y / 131) % 5 == 0;
            p[0] = uchar(std::clamp(int(120 + 100 * std::sin(6 * u + 2 * v)) + grain, 0, 255));
            p[1] = uchar(std::clamp(int(110 + 90 * std::cos(9 * v - 3 * u)) + grain, 0, 255));
            p[2] = uchar(edge ? 240 : std::clamp(int(60 + 150 * u * v) + grain, 0, 255));
        }
    }
    return image;
}

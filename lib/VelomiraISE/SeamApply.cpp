#include "SeamApply.h"

#include "BothCores.h"

#include <cstring>
#include <vector>

namespace velomira::carve {
namespace {

void CopyRows(const RgbView& image, const RgbTarget& out) {
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.row(y), image.row(y), 3 * static_cast<size_t>(image.width));
}

// Calls row(seams, in, out) for every row, `seams` the picture's columns the seams take in that row
// (ascending), the rows shared between two threads when `parallel`.
template <typename Row>
void EachRow(const RgbView& image, const Seams& seams, const RgbTarget& out, bool parallel, const Row& row) {
    ForRowHalves(image.height, parallel, [&](int begin, int end) {
        std::vector<int32_t> columns, work;
        for (int y = begin; y < end; ++y) {
            seams.row(y, columns, work);
            row(columns, image.row(y), out.row(y));
        }
    });
}

void RemoveSeams(const RgbView& image, const Seams& seams, const RgbTarget& out, bool parallel) {
    EachRow(image, seams, out, parallel,
            [&](const std::vector<int32_t>& columns, const uint8_t* in, uint8_t* to) {
                int from = 0;
                for (const int32_t x : columns) {
                    std::memcpy(to, in + 3 * from, 3 * static_cast<size_t>(x - from));
                    to += 3 * (x - from);
                    from = x + 1;
                }
                std::memcpy(to, in + 3 * from, 3 * static_cast<size_t>(image.width - from));
            });
}

void DoubleSeams(const RgbView& image, const Seams& seams, const RgbTarget& out, bool parallel) {
    EachRow(image, seams, out, parallel,
            [&](const std::vector<int32_t>& columns, const uint8_t* in, uint8_t* to) {
                for (int x = 0, next = 0; x < image.width; ++x) {
                    const uint8_t* pixel = in + 3 * x;
                    std::memcpy(to, pixel, 3);
                    to += 3;
                    if (next < static_cast<int>(columns.size()) && columns[next] == x) {
                        ++next;
                        const uint8_t* right = x + 1 < image.width ? pixel + 3 : pixel;
                        for (int c = 0; c < 3; ++c)
                            *to++ = static_cast<uint8_t>((pixel[c] + right[c] + 1) / 2);
                    }
                }
            });
}

} // namespace

void CarveToWidth(const RgbView& image, const RgbTarget& out, const CarveOptions& options) {
    if (out.width == image.width) {
        CopyRows(image, out);
        return;
    }
    const bool parallel = options.bothCores && WorthTwoThreads(int64_t{out.width} * out.height);
    if (out.width < image.width)
        RemoveSeams(image, FindSeams(image, image.width - out.width, options), out, parallel);
    else
        DoubleSeams(image, FindSeams(image, out.width - image.width, options), out, parallel);
}

} // namespace velomira::carve

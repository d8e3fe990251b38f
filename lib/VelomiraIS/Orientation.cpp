#include "Orientation.h"

#include <cstring>

namespace {

class TiffReader {
public:
    explicit TiffReader(std::span<const uint8_t> tiff) : tiff_(tiff) {
        bigEndian_ = tiff.size() >= 2 && tiff[0] == 'M' && tiff[1] == 'M';
    }
    bool has(size_t offset, size_t bytes) const {
        return offset <= tiff_.size() && bytes <= tiff_.size() - offset;
    }
    uint32_t u16(size_t offset) const { return order(tiff_[offset], tiff_[offset + 1]); }
    uint32_t u32(size_t offset) const {
        const uint32_t a = u16(offset), b = u16(offset + 2);
        return bigEndian_ ? a << 16 | b : b << 16 | a;
    }

private:
    uint32_t order(uint8_t first, uint8_t second) const {
        return bigEndian_ ? uint32_t(first) << 8 | second : uint32_t(second) << 8 | first;
    }
    std::span<const uint8_t> tiff_;
    bool bigEndian_ = false;
};

constexpr uint32_t kOrientationTag = 0x0112;
constexpr uint32_t kShortType = 3;
constexpr uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};

} // namespace

bool IsExif(std::span<const uint8_t> app1) {
    return app1.size() >= sizeof kExif && std::memcmp(app1.data(), kExif, sizeof kExif) == 0;
}

int ExifOrientation(std::span<const uint8_t> app1) {
    if (!IsExif(app1)) return 1;
    const TiffReader tiff(app1.subspan(sizeof kExif));
    if (!tiff.has(0, 8) || tiff.u16(2) != 42) return 1;
    const size_t ifd = tiff.u32(4);
    if (!tiff.has(ifd, 2)) return 1;
    const uint32_t count = tiff.u16(ifd);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = ifd + 2 + size_t(i) * 12;
        if (!tiff.has(entry, 12)) return 1;
        if (tiff.u16(entry) == kOrientationTag && tiff.u16(entry + 2) == kShortType) {
            const uint32_t value = tiff.u16(entry + 8);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

int32_t ApplyOrientation(DecodedImage& image, int orientation) {
    if (orientation <= 1 || orientation > 8) return IS40_ERR_NONE;
    const int64_t w = image.width, h = image.height;
    DecodedImage turned = orientation >= 5 ? AllocatePicture(h, w) : AllocatePicture(w, h);
    if (!turned.pixels) return turned.error;

    // For each orientation: the source pixel of the upright picture's top-left corner, and how
    // far (in source pixels) one step right and one step down in the upright picture moves.
    struct Walk {
        int64_t originX, originY, stepX, stepY;
    };
    const Walk walks[9] = {{},
                           {},
                           {w - 1, 0, -1, w},
                           {w - 1, h - 1, -1, -w},
                           {0, h - 1, 1, -w},
                           {0, 0, w, 1},
                           {0, h - 1, -w, 1},
                           {w - 1, h - 1, -w, -1},
                           {w - 1, 0, w, -1}};
    const Walk& walk = walks[orientation];
    const uint8_t* in = image.pixels.get();
    uint8_t* out = turned.pixels.get();
    int64_t rowStart = walk.originY * w + walk.originX;
    for (int64_t y = 0; y < turned.height; ++y, rowStart += walk.stepY) {
        int64_t from = rowStart;
        for (int64_t x = 0; x < turned.width; ++x, from += walk.stepX, out += 3)
            std::memcpy(out, in + from * 3, 3);
    }
    image = std::move(turned);
    return IS40_ERR_NONE;
}

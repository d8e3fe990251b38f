#include "PreChecks.h"

#include "Pixels.h"

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t le(std::span<const uint8_t> d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | d[at + size_t(i)];
    return v;
}

constexpr uint32_t kBmpUncompressed = 0, kBmpBitFields = 3;

int32_t checkBmp(std::span<const uint8_t> d) {
    // File header (14 bytes), then a 12-byte core header (16-bit sizes, never compressed) or an
    // info header of at least 40 bytes. A file that ends inside them is cut short: Qt would still
    // make a blank picture of the size it finds there, however large.
    constexpr uint32_t kCoreHeader = 12;
    if (d.size() < 14 + 4) return IS40_ERR_CORRUPT;
    const uint32_t infoSize = le(d, 14, 4);
    const bool core = infoSize == kCoreHeader;
    if (!core && infoSize < 40) return IS40_ERR_NONE;
    if (d.size() < 14 + std::min<size_t>(infoSize, 40)) return IS40_ERR_CORRUPT;
    const int64_t width = core ? le(d, 18, 2) : int32_t(le(d, 18, 4));
    const int64_t height = core ? le(d, 20, 2) : std::abs(int64_t(int32_t(le(d, 22, 4))));
    const uint32_t bits = le(d, core ? 24 : 28, 2);
    const uint32_t compression = core ? kBmpUncompressed : le(d, 30, 4);
    if (const int32_t error = CheckPictureSize(width, height)) return error;
    if ((compression != kBmpUncompressed && compression != kBmpBitFields) || bits == 0 || bits > 32)
        return IS40_ERR_NONE;
    const int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return int64_t(le(d, 10, 4)) + rowBytes * height > int64_t(d.size()) ? IS40_ERR_CORRUPT : IS40_ERR_NONE;
}

// Skips a chain of data sub-blocks; returns the position behind its terminator, 0 when the data
// ends first.
size_t skipSubBlocks(std::span<const uint8_t> d, size_t at) {
    while (at < d.size()) {
        const size_t length = d[at];
        at += 1 + length;
        if (length == 0) return at;
    }
    return 0;
}

// The first frame is complete when its image data ends with the block terminator.
int32_t checkGif(std::span<const uint8_t> d) {
    constexpr size_t kScreenEnd = 13;
    if (d.size() < kScreenEnd) return IS40_ERR_CORRUPT;
    size_t at = kScreenEnd + (d[10] & 0x80 ? 3u << ((d[10] & 7) + 1) : 0);
    while (at < d.size()) {
        if (d[at] == 0x21 && at + 1 < d.size()) { // extension: label, then sub-blocks
            at = skipSubBlocks(d, at + 2);
        } else if (d[at] == 0x2C && at + 10 < d.size()) { // image descriptor, colour table, code size
            const uint8_t flags = d[at + 9];
            at += 10 + (flags & 0x80 ? 3u << ((flags & 7) + 1) : 0) + 1;
            return skipSubBlocks(d, at) != 0 ? IS40_ERR_NONE : IS40_ERR_CORRUPT;
        } else {
            return IS40_ERR_CORRUPT;
        }
        if (at == 0) break;
    }
    return IS40_ERR_CORRUPT;
}

} // namespace

int32_t CheckBeforeQt(std::span<const uint8_t> data, const QByteArray& format) {
    if (format == "bmp") return checkBmp(data);
    if (format == "gif") return checkGif(data);
    return IS40_ERR_NONE;
}

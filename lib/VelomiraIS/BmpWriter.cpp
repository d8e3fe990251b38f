#include "Dest.h"
#include "LastError.h"
#include "Pixels.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kHeadersSize = 14 + 40; // file header, BITMAPINFOHEADER
constexpr uint32_t kPixelsPerMetre = 3780; // 96 dpi
constexpr size_t kChunkBytes = size_t(1) << 20;

void put16(uint8_t* at, uint32_t v) {
    at[0] = uint8_t(v), at[1] = uint8_t(v >> 8);
}
void put32(uint8_t* at, uint32_t v) {
    put16(at, v), put16(at + 2, v >> 16);
}

std::vector<uint8_t> headers(int32_t width, int32_t height, uint32_t imageBytes) {
    std::vector<uint8_t> h(kHeadersSize, 0);
    h[0] = 'B', h[1] = 'M';
    put32(&h[2], kHeadersSize + imageBytes);
    put32(&h[10], kHeadersSize);
    put32(&h[14], 40);
    put32(&h[18], uint32_t(width));
    put32(&h[22], uint32_t(height)); // positive: rows from the bottom up
    put16(&h[26], 1);                // planes
    put16(&h[28], 24);               // bits per pixel
    put32(&h[34], imageBytes);       // compression (at 30) stays 0: uncompressed
    put32(&h[38], kPixelsPerMetre);
    put32(&h[42], kPixelsPerMetre);
    return h;
}

} // namespace

extern "C" int32_t IS40_WriteBMP(IS40_DEST dest, const uint8_t* buffer, int32_t width, int32_t height,
                                 int32_t bitsPerPixel, int32_t stride, int32_t, int32_t, int32_t, int32_t) {
    return Guarded([&]() -> int32_t {
        Dest* file = ToDest(dest);
        const ConstView image{buffer, width, height, stride};
        if (file == nullptr || !Valid(image)) return Fail(IS40_ERR_ARGUMENT);
        if (bitsPerPixel != 24) return Fail(IS40_ERR_UNSUPPORTED);
        // Rows are padded to whole 4-byte words; the file's sizes are 32-bit.
        const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
        if (rowBytes * size_t(height) > UINT32_MAX - kHeadersSize) return Fail(IS40_ERR_UNSUPPORTED);

        bool ok = file->write(headers(width, height, uint32_t(rowBytes * size_t(height))));
        const size_t rowsPerChunk = std::max<size_t>(1, kChunkBytes / rowBytes);
        std::vector<uint8_t> chunk(rowsPerChunk * rowBytes, 0);
        for (int32_t y = height - 1; ok && y >= 0;) {
            size_t used = 0;
            for (; y >= 0 && used < chunk.size(); --y, used += rowBytes) {
                const uint8_t* in = image.pixel(0, y);
                uint8_t* out = chunk.data() + used;
                for (int32_t x = 0; x < width; ++x, in += 3, out += 3)
                    out[0] = in[2], out[1] = in[1], out[2] = in[0];
            }
            ok = file->write({chunk.data(), used});
        }
        if (!ok || !file->commit()) return Fail(IS40_ERR_WRITE);
        return 1;
    });
}

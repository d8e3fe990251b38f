#include "Decoders.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kEndPaletteSize = 1 + 256 * 3; // the marker 0x0C, then 256 RGB triples
constexpr uint8_t kEndPaletteMarker = 0x0C;
// A run (two bytes) yields at most 63 bytes, so no stream expands by more than this.
constexpr int64_t kMaxExpansion = 32;

uint32_t le16(std::span<const uint8_t> data, size_t offset) {
    return data[offset] | uint32_t(data[offset + 1]) << 8;
}

// The pixel bytes, plain or run-length encoded. Runs may continue across scan lines, as some
// writers produce them.
class ByteStream {
public:
    ByteStream(std::span<const uint8_t> data, bool runLength) : data_(data), runLength_(runLength) {}

    // Fills `line`; false when the data ends first.
    bool read(std::span<uint8_t> line) {
        size_t done = 0;
        while (done < line.size()) {
            if (runLeft_ > 0) {
                const size_t n = std::min(runLeft_, line.size() - done);
                std::memset(line.data() + done, runValue_, n);
                done += n;
                runLeft_ -= n;
                continue;
            }
            if (pos_ >= data_.size()) return false;
            const uint8_t byte = data_[pos_++];
            if (!runLength_ || (byte & 0xC0) != 0xC0) {
                line[done++] = byte;
                continue;
            }
            if (pos_ >= data_.size()) return false;
            runLeft_ = byte & 0x3F;
            runValue_ = data_[pos_++];
        }
        return true;
    }

private:
    std::span<const uint8_t> data_;
    bool runLength_;
    size_t pos_ = 0;
    size_t runLeft_ = 0;
    uint8_t runValue_ = 0;
};

using Palette = std::array<uint8_t, 256 * 3>;

// CGA colour i (bits: intensity, red, green, blue), where dark yellow is shown as brown.
void putCgaColour(int i, uint8_t* rgb) {
    const int light = i & 8 ? 0x55 : 0;
    rgb[0] = uint8_t((i & 4 ? 0xAA : 0) + light);
    rgb[1] = uint8_t((i & 2 ? (i == 6 ? 0x55 : 0xAA) : 0) + light);
    rgb[2] = uint8_t((i & 1 ? 0xAA : 0) + light);
}

// Four-colour pictures older than version 5 name CGA colours instead: the background in the high
// nibble of header palette byte 0, and in byte 3 bit 7 (colour burst off: cyan, red, grey), bit 6
// (palette 0: green, red, brown; palette 1: cyan, magenta, grey) and bit 5 (high intensity).
void putCgaPalette(uint8_t background, uint8_t foreground, Palette& palette) {
    static constexpr int kForegrounds[3][3] = {{2, 4, 6}, {3, 5, 7}, {3, 4, 7}};
    const int* colours = kForegrounds[foreground & 0x80 ? 2 : foreground >> 6 & 1];
    putCgaColour(background >> 4, palette.data());
    for (int i = 0; i < 3; ++i)
        putCgaColour(colours[i] + (foreground & 0x20 ? 8 : 0), palette.data() + 3 * (i + 1));
}

// 8-bit pictures carry 256 colours at the end of the file (grey when that is missing); the others
// use the 16 colours of the header, except CGA pictures, and monochrome ones whose two header
// colours are the same (often all zero), which are black and white.
Palette paletteOf(std::span<const uint8_t> data, int bits, int planes) {
    Palette palette{};
    const std::span<const uint8_t> header = data.subspan(16, 48);
    if (bits == 8) {
        const size_t end = data.size() - kEndPaletteSize;
        const bool present = data.size() >= kHeaderSize + kEndPaletteSize && data[end] == kEndPaletteMarker;
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = present ? data[end + 1 + i] : uint8_t(i / 3);
    } else if (bits == 2 && planes == 1 && data[1] < 5) {
        putCgaPalette(header[0], header[3], palette);
    } else if (bits == 1 && planes == 1 &&
               std::equal(header.begin(), header.begin() + 3, header.begin() + 3)) {
        std::fill_n(palette.begin() + 3, 3, 255);
    } else {
        std::copy(header.begin(), header.end(), palette.begin());
    }
    return palette;
}

uint32_t sample(const uint8_t* row, int64_t x, int bits) {
    const int64_t bit = x * bits;
    const int shift = 8 - bits - int(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

} // namespace

bool LooksLikePcx(std::span<const uint8_t> data) {
    if (data.size() < kHeaderSize || data[0] != 0x0A || data[1] > 5 || data[2] > 1) return false;
    const uint8_t bits = data[3];
    return bits == 1 || bits == 2 || bits == 4 || bits == 8;
}

DecodedImage DecodePcx(std::span<const uint8_t> data) {
    if (!LooksLikePcx(data)) return DecodeError(IS40_ERR_FORMAT);
    const int bits = data[3];
    const int planes = data[65];
    const int64_t width = int64_t(le16(data, 8)) - le16(data, 4) + 1;
    const int64_t height = int64_t(le16(data, 10)) - le16(data, 6) + 1;
    const int64_t bytesPerLine = le16(data, 66);
    const bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!trueColour && (planes < 1 || planes > 4 || bits * planes > 8))
        return DecodeError(IS40_ERR_UNSUPPORTED);
    if (const int32_t error = CheckPictureSize(width, height)) return DecodeError(error);
    if (bytesPerLine * 8 < width * bits) return DecodeError(IS40_ERR_CORRUPT);

    // Refuse a file too short for its size before the picture is allocated.
    const std::span<const uint8_t> body = data.subspan(kHeaderSize);
    const bool runLength = data[2] == 1;
    const int64_t lineBytes = bytesPerLine * planes;
    if (lineBytes * height > int64_t(body.size()) * (runLength ? kMaxExpansion : 1))
        return DecodeError(IS40_ERR_CORRUPT);

    DecodedImage image = AllocatePicture(width, height);
    if (!image.pixels) return image;
    const Palette palette = paletteOf(data, bits, planes);
    ByteStream stream(body, runLength);
    std::vector<uint8_t> line(size_t(lineBytes), 0);
    uint8_t* out = image.pixels.get();
    for (int64_t y = 0; y < height; ++y) {
        if (!stream.read(line)) return DecodeError(IS40_ERR_CORRUPT);
        for (int64_t x = 0; x < width; ++x, out += 3) {
            if (trueColour) {
                // A fourth plane is alpha; as in other formats, the colour is composed onto black.
                const uint32_t alpha = planes == 4 ? line[size_t(3 * bytesPerLine + x)] : 255;
                for (int c = 0; c < 3; ++c)
                    out[c] = uint8_t((line[size_t(c * bytesPerLine + x)] * alpha + 127) / 255);
                continue;
            }
            uint32_t index = 0;
            for (int p = 0; p < planes; ++p)
                index |= sample(line.data() + p * bytesPerLine, x, bits) << (p * bits);
            std::memcpy(out, palette.data() + index * 3, 3);
        }
    }
    return image;
}

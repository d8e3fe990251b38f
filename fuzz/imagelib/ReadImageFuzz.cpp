// fuzz_read_image: IS40_ReadImage on arbitrary bytes, every format through the one entry point that
// the program uses. The bytes reach it as a file (a memory file), as they would from disk.
#include "../MemoryFile.h"
#include "VelomiraIS.h"

#include <QImageReader>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Pictures scaled as they are read are made no larger than this.
constexpr int64_t kMaxScaledPixels = int64_t(1) << 22;

bool documentedError(int32_t code) {
    switch (code) {
    case IS40_ERR_FORMAT:
    case IS40_ERR_CORRUPT:
    case IS40_ERR_TOO_LARGE:
    case IS40_ERR_MEMORY:
    case IS40_ERR_READ:
    case IS40_ERR_UNSUPPORTED: // a PCX or JPEG variant the decoders do not offer
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's image readers warn about every broken input; that only slows the fuzzer down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (IS40_Initialize() != 1) return 1;
    // Pictures up to the pixel limit are legal however small their file (a GIF's canvas may be far
    // larger than its one frame). Decoding one takes seconds under the sanitizers and would drown the
    // fuzzer in slow units; the bomb test covers large sizes.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IS40_SOURCE source = IS40_OpenFileSource(AsFile(data, size).c_str());
    if (source == 0) __builtin_trap();
    int32_t width = 0, height = 0, fullWidth = 0, fullHeight = 0;
    // Every other input is read through its header's size and asked for at an eighth of it, or, for
    // half of those, scaled as it is read to 3/4 x 1/2 of it, of which the middle quarter is made.
    const bool scaled = size % 2 == 1 && IS40_ReadImageSize(source, &fullWidth, &fullHeight) == 1;
    const int32_t width2 = std::max(1, fullWidth / 4 * 3), height2 = std::max(1, fullHeight / 2);
    if (scaled && size % 4 == 3 && int64_t(width2) * height2 <= kMaxScaledPixels) {
        const IS40_RECT part{width2 / 4, height2 / 4, width2 / 4 + std::max(1, width2 / 2),
                             height2 / 4 + std::max(1, height2 / 2)};
        const int32_t partWidth = part.right - part.left, stride = partWidth * 3 + 1;
        uint8_t* dst = static_cast<uint8_t*>(std::malloc(size_t(stride) * size_t(part.bottom - part.top)));
        const bool read = IS40_ReadImageResized(source, width2, height2, dst, stride, &part) == 1;
        std::free(dst);
        IS40_CloseSource(source);
        if (!read && !documentedError(IS40_GetLastError())) __builtin_trap();
        return 0;
    }
    uint8_t* pixels =
        IS40_ReadImage(source, &width, &height, scaled ? fullWidth / 8 : 0, scaled ? fullHeight / 8 : 0);
    IS40_CloseSource(source);
    if (pixels == nullptr) {
        if (!documentedError(IS40_GetLastError())) {
            std::fprintf(stderr, "undocumented error code %d\n", IS40_GetLastError());
            __builtin_trap();
        }
        return 0;
    }
    if (width <= 0 || height <= 0 || int64_t(width) * height > IS40_MAX_PIXELS) __builtin_trap();
    if (scaled && (width > fullWidth || height > fullHeight)) __builtin_trap();
    // A result must be whole: read its last byte (ASan checks the block's size).
    volatile uint8_t last = pixels[size_t(width) * size_t(height) * 3 - 1];
    (void)last;
    std::free(pixels);
    return 0;
}

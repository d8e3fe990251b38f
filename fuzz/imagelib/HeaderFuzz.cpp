// fuzz_picture_headers: the hand-written header walks beside the decoders: the EXIF orientation
// of a JPEG APP1 segment and the completeness checks of BMP and GIF files.
#include "Orientation.h"
#include "PreChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const int orientation = ExifOrientation(bytes);
    if (orientation < 1 || orientation > 8)
        __builtin_trap();
    CheckBeforeQt(bytes, "bmp");
    CheckBeforeQt(bytes, "gif");
    return 0;
}

// fuzz_pcx: the PCX decoder on arbitrary bytes; the header is fuzzed like everything else.
#include "Decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DecodedImage image = DecodePcx({data, size});
    // A result must be whole: read its last byte (ASan checks the block's size).
    if (image.pixels) {
        volatile uint8_t last = image.pixels.get()[size_t(image.width) * size_t(image.height) * 3 - 1];
        (void)last;
    }
    return 0;
}

// fuzz_color: a colour field of the data file; every text gives a colour or black, never a crash.
#include "calendar/CalendarSyntax.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParseColor(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}

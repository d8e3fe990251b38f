// The first byte chooses the target: even bytes expand the rest as a stamp text, odd ones decode it
// as an XP tag's byte list. Metadata values come from a table that holds codes themselves, so that
// a value scanned again would show; the expansion must never take one as a code.
#include "compose/PictureMetadata.h"
#include "compose/Placeholders.h"
#include "imagelib/ImageError.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

const QString kValues[] = {"", "?????", "%e1", "%i25?i5", "%", "e", "i7", "x"};

QString value(int32_t n) {
    return kValues[uint32_t(n) % std::size(kValues)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    try {
        if (data[0] % 2) {
            DecodeXpText(text);
            return 0;
        }
        const MetadataLookup lookup{[](const QString&, int32_t tag) { return value(tag) + "?"; },
                                    [](const QString&) {}, value};
        const QString out = ExpandPlaceholders(text, "/a/%n.%e", SplitPath("/a/%n.%e"), lookup);
        // Every code is gone except those that values brought in.
        if (!text.contains('%') && !text.contains('?') && out != text) __builtin_trap();
    } catch (const ImageError&) {
        // digit runs beyond 32 bits and entries that are no byte: reported, not crashed on
    }
    return 0;
}

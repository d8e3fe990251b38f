#include "LastError.h"
#include "Metadata.h"
#include "Source.h"
#include "Translation.h"

#include <algorithm>
#include <locale.h>
#include <string>
#include <string_view>

namespace {

// The Windows title, comment, author, keywords and subject tags: UTF-16LE text in a byte array.
constexpr uint16_t kFirstXpTag = 0x9c9b, kLastXpTag = 0x9c9f;
constexpr uint16_t kUserComment = 0x9286;

struct ExifReader {
    Exiv2::ExifData data;
};

ExifReader* ToReader(IS40_EXIF handle) {
    return reinterpret_cast<ExifReader*>(handle);
}

Exiv2::ExifData::const_iterator findTag(const Exiv2::ExifData& data, uint16_t tag) {
    for (const char* group : {"Image", "Photo", "GPSInfo", "Iop"}) {
        const auto found = data.findKey(Exiv2::ExifKey(tag, group));
        if (found != data.end()) return found;
    }
    return data.end();
}

// The bytes of the value in decimal, "84,0,105,0,0,0": the program decodes the UTF-16 itself.
std::string byteList(const Exiv2::Exifdatum& datum) {
    std::string list;
    const long count = datum.count();
    for (long i = 0; i < count; ++i) {
        if (i > 0) list += ',';
        list += std::to_string(datum.toLong(i) & 0xff);
    }
    return list;
}

// Exiv2 prints in the C locale, where gettext leaves its words in English and numbers have a point;
// Translation.cpp tells why. The thread's locale is restored however the printing ends.
class CLocale {
public:
    CLocale() : previous_(uselocale(c())) {}
    ~CLocale() { uselocale(previous_); }

private:
    static locale_t c() {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return locale;
    }
    locale_t previous_;
};

// The text without the NULs and spaces that cameras pad values with.
std::string trimmed(std::string text) {
    constexpr std::string_view padding(" \0", 2);
    text.erase(text.find_last_not_of(padding) + 1);
    text.erase(0, std::min(text.find_first_not_of(padding), text.size()));
    return text;
}

// The value as a person reads it. Exiv2's words are translated, but not the camera's own texts,
// which Exiv2 prints as they are. Units follow the number after a space, as Exiv2 writes them
// ("1/200 s", "50.0 mm"), but the degrees, like the minutes and seconds, stand right after theirs:
// "51° 30' 15\"" (Exiv2 writes "51deg").
std::string readable(const Exiv2::Exifdatum& datum, const Exiv2::ExifData& data) {
    const CLocale c;
    const auto* comment =
        datum.tag() == kUserComment ? dynamic_cast<const Exiv2::CommentValue*>(&datum.value()) : nullptr;
    if (comment != nullptr) return trimmed(AsUtf8(comment->comment())); // without its "charset=Ascii "
    std::string text = datum.print(&data);
    if (text != datum.value().toString()) {
        text = TranslateExiv2Words(text);
        if (const size_t deg = text.find("deg "); deg != std::string::npos) text.replace(deg, 3, "\u00b0");
    }
    return trimmed(AsUtf8(text));
}

} // namespace

extern "C" IS40_EXIF IS40_EXIFCreateReader(IS40_SOURCE source, int32_t /*reserved1*/, int32_t /*reserved2*/) {
    return Guarded([&]() -> IS40_EXIF {
        Source* file = ToSource(source);
        if (file == nullptr) return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);
        int32_t error = IS40_ERR_NONE;
        const auto image = ReadMetadata(file->bytes(), error);
        if (!image) return Fail(error);
        if (image->exifData().empty()) return Fail(IS40_ERR_FORMAT);
        return reinterpret_cast<IS40_EXIF>(new ExifReader{image->exifData()});
    });
}

extern "C" int32_t IS40_EXIFGetString(IS40_EXIF reader, int32_t tag, int32_t /*flags*/, char** block,
                                      int32_t* length) {
    return Guarded([&]() -> int32_t {
        if (reader == 0 || block == nullptr || length == nullptr) return Fail(IS40_ERR_ARGUMENT);
        *block = nullptr;
        *length = 0;
        if (tag < 0 || tag > 0xffff) return Fail(IS40_ERR_FORMAT);
        const Exiv2::ExifData& data = ToReader(reader)->data;
        try {
            const auto found = findTag(data, uint16_t(tag));
            if (found == data.end()) return Fail(IS40_ERR_FORMAT);
            const bool xp = tag >= kFirstXpTag && tag <= kLastXpTag;
            return HandOut(xp ? byteList(*found) : readable(*found, data), block, length);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception&) { // Exiv2's errors, and range errors of damaged values
            return Fail(IS40_ERR_CORRUPT);
        }
    });
}

extern "C" void IS40_EXIFDestroyReader(IS40_EXIF reader) {
    delete ToReader(reader);
}

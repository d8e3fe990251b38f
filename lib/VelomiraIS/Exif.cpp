#include "LastError.h"
#include "Metadata.h"
#include "Source.h"

#include <string>

namespace {

// The Windows title, comment, author, keywords and subject tags: UTF-16LE text in a byte array.
constexpr uint16_t kFirstXpTag = 0x9c9b, kLastXpTag = 0x9c9f;
constexpr uint16_t kExposureTime = 0x829a;

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

std::string readable(const Exiv2::Exifdatum& datum, const Exiv2::ExifData& data) {
    std::string text = datum.print(&data);
    // Exposure times read as the fraction alone ("1/200"), as they are usually written.
    if (datum.tag() == kExposureTime && text.size() > 2 && text.ends_with(" s")) text.resize(text.size() - 2);
    return AsUtf8(text);
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

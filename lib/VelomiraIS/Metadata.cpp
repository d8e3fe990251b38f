#include "Metadata.h"

#include "LastError.h"

#include <QByteArray>
#include <QStringDecoder>
#include <cstdlib>
#include <cstring>

namespace {

// Exiv2 writes warnings about odd files to stderr; a wallpaper program has no use for them.
void muteExiv2() {
    static const bool muted = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        return true;
    }();
    (void)muted;
}

} // namespace

std::unique_ptr<Exiv2::Image> ReadMetadata(std::span<const uint8_t> bytes, int32_t& error) {
    muteExiv2();
    error = IS40_ERR_NONE;
    if (bytes.empty() || bytes.size() > size_t(INT32_MAX)) {
        error = IS40_ERR_FORMAT;
        return nullptr;
    }
    try {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations" // Exiv2 0.27 hands out std::auto_ptr
        std::unique_ptr<Exiv2::Image> image(
            Exiv2::ImageFactory::open(bytes.data(), long(bytes.size())).release());
#pragma GCC diagnostic pop
        if (!image) {
            error = IS40_ERR_FORMAT;
            return nullptr;
        }
        image->readMetadata();
        return image;
    } catch (const Exiv2::AnyError&) {
        error = IS40_ERR_CORRUPT;
    } catch (const std::bad_alloc&) {
        error = IS40_ERR_MEMORY;
    } catch (const std::exception&) {
        error = IS40_ERR_CORRUPT;
    }
    return nullptr;
}

std::string AsUtf8(std::string_view raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArrayView(raw.data(), qsizetype(raw.size())));
    if (!utf8.hasError()) return std::string(raw);
    return QString::fromLatin1(raw.data(), qsizetype(raw.size())).toStdString();
}

int32_t HandOut(std::string_view text, char** block, int32_t* length) {
    *block = nullptr;
    *length = 0;
    if (text.size() > size_t(INT32_MAX)) return Fail(IS40_ERR_FORMAT);
    if (text.empty()) return 1;
    char* out = static_cast<char*>(std::calloc(text.size(), 1));
    if (out == nullptr) return Fail(IS40_ERR_MEMORY);
    std::memcpy(out, text.data(), text.size());
    *block = out;
    *length = int32_t(text.size());
    return 1;
}

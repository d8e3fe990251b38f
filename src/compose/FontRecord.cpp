#include "compose/FontRecord.h"

#include <QByteArray>
#include <QString>
#include <cstring>

namespace {

// A value that does not fit its byte is left out, as if it were 0.
uint8_t byteOrZero(int32_t value) {
    return value >= 0 && value <= 255 ? uint8_t(value) : 0;
}

// The longest prefix of `utf8` within `limit` bytes that does not split a character.
qsizetype wholeCharacters(const QByteArray& utf8, qsizetype limit) {
    if (utf8.size() <= limit) return utf8.size();
    qsizetype cut = limit;
    while (cut > 0 && (uchar(utf8[cut]) & 0xc0) == 0x80) // a continuation byte
        --cut;
    return cut;
}

} // namespace

IS40_LOGFONT MakeFontRecord(QStringView face, int32_t height, int32_t weight, int32_t italic,
                            int32_t underline, int32_t strikeOut, int32_t charSet) {
    IS40_LOGFONT record{};
    record.lfHeight = height;
    record.lfWeight = weight;
    record.lfItalic = byteOrZero(italic);
    record.lfUnderline = byteOrZero(underline);
    record.lfStrikeOut = byteOrZero(strikeOut);
    record.lfCharSet = byteOrZero(charSet);
    const QByteArray name = face.toUtf8();
    std::memcpy(record.lfFaceName, name.constData(),
                size_t(wholeCharacters(name, sizeof record.lfFaceName - 1)));
    return record;
}

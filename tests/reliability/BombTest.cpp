// Pictures whose headers claim huge sizes are refused from the header: the process that reads one
// needs no more memory than for a tiny picture, and, where the address space can be limited (not
// under AddressSanitizer), a large allocation attempt would turn into an error the test sees.
#include "VelomiraIS.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kData = VELOMIRA_SOURCE_DIR "/tests/reliability/data/";

// A little-endian (or, for PNG and JPEG, big-endian) header built field by field.
struct Bytes {
    QByteArray data;
    QDataStream out{&data, QIODevice::WriteOnly};
    explicit Bytes(QDataStream::ByteOrder order = QDataStream::LittleEndian) { out.setByteOrder(order); }
    Bytes& raw(const QByteArray& bytes) {
        out.writeRawData(bytes.constData(), int(bytes.size()));
        return *this;
    }
    template <class... T> Bytes& put(T... values) {
        (out << ... << values);
        return *this;
    }
};

uint32_t crc32(const QByteArray& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= uint8_t(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

QByteArray png(quint32 width, quint32 height) {
    Bytes png(QDataStream::BigEndian);
    png.raw("\x89PNG\r\n\x1a\n");
    const auto chunk = [&](const QByteArray& typeAndData) {
        png.put(quint32(typeAndData.size() - 4)).raw(typeAndData).put(crc32(typeAndData));
    };
    chunk("IHDR" +
          Bytes(QDataStream::BigEndian).put(width, height, quint8(8), quint8(2)).raw(QByteArray(3, 0)).data);
    chunk("IDAT" + qCompress(QByteArray(64, 0)).mid(4)); // qCompress puts the length before the stream
    chunk("IEND");
    return png.data;
}

// A picture Qt wrote, with the size fields at `at` overwritten.
QByteArray patched(const char* format, qsizetype at, const QByteArray& size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB888).save(&buffer, format);
    if (at < 0) at = bytes.indexOf("\xff\xc0") + 5; // JPEG start of frame: length, precision, height, width
    return bytes.replace(at, size.size(), size);
}

QByteArray jpeg(quint16 width, quint16 height) {
    return patched("JPEG", -1, Bytes(QDataStream::BigEndian).put(height, width).data);
}

QByteArray bmp(qint32 width, qint32 height) {
    return patched("BMP", 18, Bytes().put(width, height).data);
}

QByteArray pcx(quint16 lastX, quint16 lastY) {
    return Bytes()
        .put(quint8(10), quint8(5), quint8(1), quint8(8), quint16(0), quint16(0), lastX, lastY, quint16(96),
             quint16(96))
        .raw(QByteArray(49, 0)) // EGA palette, reserved byte
        .put(quint8(3), quint16(lastX + 1), quint16(1))
        .raw(QByteArray(58, 0) + QByteArray(64, '\x11'))
        .data;
}

// An uncompressed RGB TIFF with 16 bits per sample and one strip.
QByteArray tiff16(quint32 width, quint32 height) {
    constexpr quint16 kShort = 3, kLong = 4;
    constexpr quint32 kEntries = 10, kBitsAt = 8 + 2 + kEntries * 12 + 4, kDataAt = kBitsAt + 6;
    Bytes tiff;
    tiff.raw("II").put(quint16(42), quint32(8), quint16(kEntries));
    // Directory entries: tag, type, count, value (BitsPerSample's three values stored at kBitsAt).
    const quint32 entries[][4] = {{256, kLong, 1, width}, {257, kLong, 1, height}, {258, kShort, 3, kBitsAt},
                                  {259, kShort, 1, 1},    {262, kShort, 1, 2},     {273, kLong, 1, kDataAt},
                                  {277, kShort, 1, 3},    {278, kLong, 1, height}, {279, kLong, 1, 48},
                                  {284, kShort, 1, 1}};
    for (const auto& e : entries)
        tiff.put(quint16(e[0]), quint16(e[1]), e[2], e[3]);
    return tiff.put(quint32(0), quint16(16), quint16(16), quint16(16)).raw(QByteArray(48, '\x33')).data;
}

struct Outcome {
    int code = -1;   // IS40_ERR_* of the failed read, 0 when it succeeded
    long peakKb = 0; // the reading process's peak resident memory
};

long addressSpaceKb() {
    for (const QByteArray& line : ReadFile("/proc/self/status").split('\n'))
        if (line.startsWith("VmSize:")) return line.mid(7).trimmed().split(' ').first().toLong();
    return 0;
}

// Reads the picture in a child process, so that its memory can be limited and measured alone.
Outcome readInChild(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    const pid_t pid = ::fork();
    if (pid == 0) {
        IS40_Initialize();
#ifndef __SANITIZE_ADDRESS__ // its shadow memory needs terabytes of address space
        const rlim_t limit = rlim_t(addressSpaceKb() + (512 << 10)) * 1024;
        const rlimit space{limit, limit};
        ::setrlimit(RLIMIT_AS, &space);
#endif
        const IS40_SOURCE source = IS40_OpenFileSource(file.constData());
        int32_t width = 0, height = 0;
        uint8_t* pixels = IS40_ReadImage(source, &width, &height, 0, 0);
        ::_exit(pixels != nullptr ? 0 : IS40_GetLastError());
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid) return {};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

} // namespace

TEST(Bombs, HugeHeadersAreRefusedWithoutLargeAllocations) {
    TempDir tmp;
    QImage(8, 8, QImage::Format_RGB888).save(tmp.file("tiny.png"), "PNG");
    const Outcome tiny = readInChild(tmp.file("tiny.png"));
    ASSERT_EQ(tiny.code, 0);

    struct Case {
        const char* what;
        QByteArray bytes;
        int code;
    };
    const Case cases[] = {
        {"PNG 100000 x 100000", png(100000, 100000), IS40_ERR_TOO_LARGE},
        {"PNG 4294967295 x 1", png(0xFFFFFFFF, 1), IS40_ERR_CORRUPT}, // beyond PNG's 2^31 - 1
        {"JPEG 65535 x 65535", jpeg(65535, 65535), IS40_ERR_CORRUPT}, // libjpeg's limit, 65500, comes first
        {"JPEG 20000 x 20000", jpeg(20000, 20000), IS40_ERR_TOO_LARGE},
        {"PCX 65535 x 65535", pcx(65534, 65534), IS40_ERR_TOO_LARGE},
        {"BMP 2147483647 x 2147483647", bmp(0x7FFFFFFF, 0x7FFFFFFF), IS40_ERR_TOO_LARGE},
        {"BMP 100000 x -100000 (top-down)", bmp(100000, -100000), IS40_ERR_TOO_LARGE},
        {"BMP 30000 x 20000", bmp(30000, 20000), IS40_ERR_TOO_LARGE},
        {"16-bit TIFF 20000 x 20000", tiff16(20000, 20000), IS40_ERR_TOO_LARGE},
        // Found by fuzz_read_image: Qt made blank pictures of a quarter gigapixel from these.
        {"46-byte BMP claiming 27907 x 8960", ReadFile(kData + "bmp-cut-in-header.bmp"), IS40_ERR_CORRUPT},
        {"core-header BMP claiming 16000 x 15000", ReadFile(kData + "bmp-core-header-cut-short.bmp"),
         IS40_ERR_CORRUPT},
    };
    for (const Case& c : cases) {
        WriteFile(tmp.file("bomb"), c.bytes);
        const Outcome bomb = readInChild(tmp.file("bomb"));
        EXPECT_EQ(bomb.code, c.code) << c.what;
        EXPECT_LT(bomb.peakKb, tiny.peakKb + (32 << 10)) << c.what;
    }
}

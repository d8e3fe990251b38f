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
    QByteArray bytes("\x89PNG\r\n\x1a\n");
    QDataStream out(&bytes, QIODevice::Append);
    const auto chunk = [&](const QByteArray& typeAndData) {
        out << quint32(typeAndData.size() - 4);
        out.writeRawData(typeAndData.constData(), int(typeAndData.size()));
        out << crc32(typeAndData);
    };
    QByteArray header("IHDR");
    QDataStream(&header, QIODevice::Append)
        << width << height << quint8(8) << quint8(2) << quint8(0) << quint8(0) << quint8(0);
    chunk(header);
    chunk("IDAT" + qCompress(QByteArray(64, 0)).mid(4)); // qCompress puts the length before the stream
    chunk("IEND");
    return bytes;
}

QByteArray jpeg(quint16 width, quint16 height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB888).save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf("\xff\xc0"); // start of frame: length, precision, height, width
    QDataStream size(&bytes, QIODevice::ReadWrite);
    size.device()->seek(frame + 5);
    size << height << width;
    return bytes;
}

QByteArray pcx(quint16 lastX, quint16 lastY) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint8(10) << quint8(5) << quint8(1) << quint8(8) << quint16(0) << quint16(0) << lastX << lastY
        << quint16(96) << quint16(96);
    out.writeRawData(QByteArray(49, 0).constData(), 49); // EGA palette, reserved byte
    out << quint8(3) << quint16(lastX + 1) << quint16(1);
    out.writeRawData(QByteArray(58, 0).constData(), 58);
    out.writeRawData(QByteArray(64, '\x11').constData(), 64);
    return bytes;
}

QByteArray bmp(qint32 width, qint32 height) {
    QByteArray bytes("BM");
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(54 + 64) << quint32(0) << quint32(54) << quint32(40) << width << height << quint16(1)
        << quint16(24) << quint32(0) << quint32(64) << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    out.writeRawData(QByteArray(64, '\x22').constData(), 64);
    return bytes;
}

// An uncompressed RGB TIFF with 16 bits per sample and one strip.
QByteArray tiff16(quint32 width, quint32 height) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    constexpr quint16 kShort = 3, kLong = 4;
    constexpr quint32 kEntries = 10, kBitsAt = 8 + 2 + kEntries * 12 + 4, kDataAt = kBitsAt + 6;
    out << quint8('I') << quint8('I') << quint16(42) << quint32(8) << quint16(kEntries);
    // One directory entry; a value that does not fit its four bytes is stored at `value`.
    const auto entry = [&](quint16 tag, quint16 type, quint32 value, quint32 count = 1) {
        out << tag << type << count;
        if (type == kShort && count == 1)
            out << quint16(value) << quint16(0);
        else
            out << value;
    };
    entry(256, kLong, width);
    entry(257, kLong, height);
    entry(258, kShort, kBitsAt, 3); // BitsPerSample, for each of the three samples
    entry(259, kShort, 1);          // no compression
    entry(262, kShort, 2);          // RGB
    entry(273, kLong, kDataAt);
    entry(277, kShort, 3);
    entry(278, kLong, height);
    entry(279, kLong, 48);
    entry(284, kShort, 1);
    out << quint32(0) << quint16(16) << quint16(16) << quint16(16);
    out.writeRawData(QByteArray(48, '\x33').constData(), 48);
    return bytes;
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

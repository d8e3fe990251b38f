// fuzz_metadata: EXIF and IPTC reading on arbitrary bytes (JPEG and TIFF files above all), through
// the library's entry points as the text stamp calls them: every tag the stamp can name is asked for,
// and every IPTC dataset the list names is read.
#include "../MemoryFile.h"
#include "VelomiraIS.h"

#include <QtGlobal>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Make, model, date and time, exposure, f-number, ISO, original date, user comment, the XP tags.
constexpr int32_t kTags[] = {271,   272,   306,   33434, 33437, 34855, 36867,
                             37510, 40091, 40092, 40093, 40094, 40095};

// A block the library handed out: exactly `length` bytes (ASan checks), released with free().
void consume(char* block, int32_t length) {
    if (length < 0 || (block == nullptr) != (length == 0)) __builtin_trap();
    if (length > 0) {
        volatile char last = block[length - 1];
        (void)last;
    }
    std::free(block);
}

void readExif(IS40_SOURCE source) {
    const IS40_EXIF exif = IS40_EXIFCreateReader(source, 0, 1);
    for (const int32_t tag : kTags) {
        char* block = nullptr;
        int32_t length = 0;
        if (IS40_EXIFGetString(exif, tag, 31, &block, &length)) consume(block, length);
    }
    IS40_EXIFDestroyReader(exif);
}

void readIptc(IS40_SOURCE source) {
    const IS40_IPTC iptc = IS40_IPTCInitialize(source, 0, 0);
    char* list = nullptr;
    int32_t listLength = 0;
    if (iptc != 0 && IS40_IPTCGetTagList(iptc, &list, &listLength, 0) && list != nullptr) {
        const std::string lines(list, size_t(listLength));
        for (size_t at = 0; at < lines.size();) {
            int record = 0, dataset = 0, index = 0;
            if (std::sscanf(lines.c_str() + at, "%d,%d,%d", &record, &dataset, &index) != 3) __builtin_trap();
            char* block = nullptr;
            int32_t length = 0;
            if (!IS40_IPTCGetTag(iptc, record, dataset, index, &block, &length)) __builtin_trap();
            consume(block, length);
            const size_t end = lines.find('\n', at);
            at = end == std::string::npos ? lines.size() : end + 1;
        }
    }
    std::free(list);
    IS40_IPTCRelease(iptc);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's image readers warn about every broken input; that only slows the fuzzer down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return IS40_Initialize() == 1 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IS40_SOURCE source = IS40_OpenFileSource(AsFile(data, size).c_str());
    if (source == 0) __builtin_trap();
    readExif(source);
    readIptc(source);
    IS40_CloseSource(source);
    return 0;
}

#include "LastError.h"
#include "Metadata.h"
#include "Source.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A dataset is named by its record, its number and how many datasets of the same record and
// number come before it (several keywords are told apart by that).
using DatasetName = std::tuple<int32_t, int32_t, int32_t>;

struct IptcReader {
    std::vector<DatasetName> order;
    std::map<DatasetName, std::string> texts;
};

IptcReader* ToReader(IS40_IPTC handle) {
    return reinterpret_cast<IptcReader*>(handle);
}

IptcReader* readerOf(const Exiv2::IptcData& data) {
    auto reader = std::make_unique<IptcReader>();
    std::map<std::pair<int32_t, int32_t>, int32_t> repeats;
    for (const Exiv2::Iptcdatum& datum : data) {
        const int32_t record = datum.record(), dataset = datum.tag();
        const DatasetName name{record, dataset, repeats[{record, dataset}]++};
        reader->order.push_back(name);
        reader->texts[name] = AsUtf8(datum.toString());
    }
    return reader.release();
}

} // namespace

extern "C" IS40_IPTC IS40_IPTCInitialize(IS40_SOURCE source, int32_t /*reserved1*/, int32_t /*reserved2*/) {
    return Guarded([&]() -> IS40_IPTC {
        Source* file = ToSource(source);
        if (file == nullptr) return Fail(IS40_ERR_ARGUMENT);
        if (const int32_t error = file->load()) return Fail(error);
        int32_t error = IS40_ERR_NONE;
        const auto image = ReadMetadata(file->bytes(), error);
        if (!image) return Fail(error);
        if (image->iptcData().empty()) return Fail(IS40_ERR_FORMAT);
        try {
            return reinterpret_cast<IS40_IPTC>(readerOf(image->iptcData()));
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception&) { // Exiv2's errors, and range errors of damaged values
            return Fail(IS40_ERR_CORRUPT);
        }
    });
}

extern "C" int32_t IS40_IPTCGetTagList(IS40_IPTC iptc, char** block, int32_t* length, int32_t /*reserved*/) {
    return Guarded([&]() -> int32_t {
        if (iptc == 0 || block == nullptr || length == nullptr) return Fail(IS40_ERR_ARGUMENT);
        std::string list;
        for (const auto& [record, dataset, index] : ToReader(iptc)->order)
            list +=
                std::to_string(record) + ',' + std::to_string(dataset) + ',' + std::to_string(index) + '\n';
        return HandOut(list, block, length);
    });
}

extern "C" int32_t IS40_IPTCGetTag(IS40_IPTC iptc, int32_t record, int32_t dataset, int32_t index,
                                   char** block, int32_t* length) {
    return Guarded([&]() -> int32_t {
        if (iptc == 0 || block == nullptr || length == nullptr) return Fail(IS40_ERR_ARGUMENT);
        *block = nullptr;
        *length = 0;
        const auto& texts = ToReader(iptc)->texts;
        const auto found = texts.find({record, dataset, index});
        if (found == texts.end()) return Fail(IS40_ERR_ARGUMENT);
        return HandOut(found->second, block, length);
    });
}

extern "C" void IS40_IPTCRelease(IS40_IPTC iptc) {
    delete ToReader(iptc);
}

#include "pictures/PictureOrder.h"

#include <QFile>
#include <bit>
#include <chrono>
#include <limits>
#include <random>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// The order in which `keys` come out of an insertion sort with the gaps 2^k - 1 (2^k the largest
// power of two not above n), halved down to 1. It is not stable: where equal keys end up depends on
// this gap sequence, and users see that order, so the sequence must stay as it is.
template <typename Key> std::vector<qsizetype> GappedInsertionOrder(std::vector<Key> keys) {
    const qsizetype n = qsizetype(keys.size());
    std::vector<std::pair<Key, qsizetype>> items;
    items.reserve(keys.size());
    for (qsizetype i = 0; i < n; ++i)
        items.emplace_back(std::move(keys[i]), i);
    if (n > 0) {
        for (qsizetype gap = (qsizetype{1} << (std::bit_width(size_t(n)) - 1)) - 1; gap > 0; gap /= 2)
            for (qsizetype i = 0; i < n - gap; ++i)
                for (qsizetype j = i; j >= 0 && items[j].first > items[j + gap].first; j -= gap)
                    std::swap(items[j], items[j + gap]);
    }
    std::vector<qsizetype> order;
    order.reserve(items.size());
    for (const auto& item : items)
        order.push_back(item.second);
    return order;
}

// Rearranges `list` so that position i holds the former entry order[i].
template <typename List> void Permute(List& list, const std::vector<qsizetype>& order) {
    List arranged;
    arranged.reserve(list.size());
    for (const qsizetype from : order)
        arranged.push_back(std::move(list[from]));
    list = std::move(arranged);
}

// UTF-8 bytes compare in code-point order, unlike UTF-16 units beyond the basic plane.
std::string CodePointKey(const QString& text) {
    return text.toStdString();
}

// The entry's modification time in seconds since the epoch, read from the file when still unknown.
qint64 ModifiedTime(PictureEntry& entry) {
    struct stat st {};
    if (entry.modified.isNull() && ::stat(QFile::encodeName(entry.path).constData(), &st) == 0)
        entry.modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
    return entry.modified.isValid() ? entry.modified.toSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

// Each entry goes to a slot drawn uniformly among all slots, drawing again while that slot is taken;
// every permutation is equally likely.
void Shuffle(PictureList& list) {
    // The counter keeps two shuffles within one clock tick apart.
    static unsigned calls = 0;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{unsigned(now), unsigned(uint64_t(now) >> 32), ++calls};
    std::mt19937_64 random(seed);
    const qsizetype n = qsizetype(list.size());
    std::uniform_int_distribution<qsizetype> draw(0, n - 1);
    std::vector<qsizetype> entryAt(list.size(), -1);
    for (qsizetype i = 0; i < n; ++i) {
        qsizetype slot = draw(random);
        while (entryAt[slot] >= 0)
            slot = draw(random);
        entryAt[slot] = i;
    }
    Permute(list, entryAt);
}

} // namespace

void SortPictures(PictureList& list, int mode) {
    if (list.empty()) return;
    if (mode == OrderRandom) {
        Shuffle(list);
    } else if (mode == OrderByName) {
        std::vector<std::string> keys;
        keys.reserve(list.size());
        for (const PictureEntry& entry : list)
            keys.push_back(CodePointKey(entry.path.toLower()));
        Permute(list, GappedInsertionOrder(std::move(keys)));
    } else if (mode == OrderByDate) {
        std::vector<qint64> keys;
        keys.reserve(list.size());
        for (PictureEntry& entry : list)
            keys.push_back(ModifiedTime(entry));
        Permute(list, GappedInsertionOrder(std::move(keys)));
    }
}

void SortFolderNames(QStringList& folders) {
    std::vector<std::string> keys;
    keys.reserve(size_t(folders.size()));
    for (const QString& folder : folders)
        keys.push_back(CodePointKey(folder));
    Permute(folders, GappedInsertionOrder(std::move(keys)));
}

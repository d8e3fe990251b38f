#include "pictures/PictureOrder.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Runs part(begin, end) over both halves of [0, n), the first on a second thread when n is large
// enough to pay for one.
template <typename Part> void OnBothCores(size_t n, const Part& part) {
    if (n < 4096) return part(size_t{0}, n);
    std::jthread first([&] { part(size_t{0}, n / 2); });
    part(n / 2, n);
}

// Positions 0..n-1 ordered by key(position); equal keys in no particular order.
template <typename KeyOf> std::vector<qsizetype> SortedOrder(size_t n, const KeyOf& key) {
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), qsizetype{0});
    const auto less = [&](qsizetype a, qsizetype b) { return key(a) < key(b); };
    OnBothCores(n, [&](size_t begin, size_t end) {
        std::sort(order.begin() + qsizetype(begin), order.begin() + qsizetype(end), less);
    });
    std::inplace_merge(order.begin(), order.begin() + qsizetype(n / 2), order.end(), less);
    return order;
}

// The order in which positions 0..n-1 come out of an insertion sort by key(position) with the gaps
// 2^k - 1 (2^k the largest power of two not above n), halved down to 1. It is not stable: where equal
// keys end up depends on this gap sequence, and users see that order, so the sequence must stay as it
// is. Its steps depend only on how keys compare, so it runs on the keys' ranks, and only when two keys
// are equal: without ties its result is the one sorted order.
template <typename KeyOf> std::vector<qsizetype> GappedInsertionOrder(size_t n, const KeyOf& key) {
    std::vector<qsizetype> order = SortedOrder(n, key);
    const auto equal = [&](qsizetype a, qsizetype b) { return key(a) == key(b); };
    if (std::adjacent_find(order.begin(), order.end(), equal) == order.end()) return order;

    std::vector<std::pair<qsizetype, qsizetype>> items(n); // rank, position
    for (size_t i = 0, rank = 0; i < n; ++i) {
        if (i > 0 && !equal(order[i - 1], order[i])) ++rank;
        items[order[i]] = {qsizetype(rank), order[i]};
    }
    const qsizetype count = qsizetype(n);
    for (qsizetype gap = (qsizetype{1} << (std::bit_width(n) - 1)) - 1; gap > 0; gap /= 2)
        for (qsizetype i = 0; i < count - gap; ++i)
            for (qsizetype j = i; j >= 0 && items[j].first > items[j + gap].first; j -= gap)
                std::swap(items[j], items[j + gap]);
    for (size_t i = 0; i < n; ++i)
        order[i] = items[i].second;
    return order;
}

// Rearranges `list` in place so that position i holds the former entry order[i], one cycle of the
// permutation at a time.
template <typename List> void Permute(List& list, std::vector<qsizetype> order) {
    for (qsizetype start = 0; start < qsizetype(order.size()); ++start) {
        if (order[start] == start) continue;
        auto held = std::move(list[start]);
        qsizetype to = start;
        for (qsizetype from = order[to]; from != start; from = order[to]) {
            list[to] = std::move(list[from]);
            order[to] = to;
            to = from;
        }
        list[to] = std::move(held);
        order[to] = to;
    }
}

// UTF-8 bytes compare in code-point order, unlike UTF-16 units beyond the basic plane.
std::string CodePointKey(const QString& text) {
    return text.toStdString();
}

// The lower-case paths in code-point order, in one buffer: a string each would touch many more
// fresh memory pages, which cost more than the sorting itself.
class NameKeys {
public:
    explicit NameKeys(const PictureList& list) {
        size_t total = 0;
        for (const PictureEntry& entry : list)
            total += size_t(entry.path.size());
        bytes_.reserve(total);
        ends_.reserve(list.size());
        for (const PictureEntry& entry : list)
            append(entry.path);
    }

    std::string_view operator()(qsizetype i) const {
        const size_t begin = i > 0 ? ends_[i - 1] : 0;
        return std::string_view(bytes_.data() + begin, ends_[i] - begin);
    }

private:
    void append(const QString& path) {
        const size_t begin = bytes_.size();
        for (const QChar c : path) {
            if (c.unicode() >= 0x80) {
                bytes_.resize(begin);
                bytes_ += CodePointKey(path.toLower());
                break;
            }
            bytes_ += char(c >= u'A' && c <= u'Z' ? c.unicode() - u'A' + u'a' : c.unicode());
        }
        ends_.push_back(bytes_.size());
    }

    std::string bytes_;
    std::vector<size_t> ends_;
};

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
        Permute(list, GappedInsertionOrder(list.size(), NameKeys(list)));
    } else if (mode == OrderByDate) {
        std::vector<qint64> times(list.size());
        OnBothCores(list.size(), [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                times[i] = ModifiedTime(list[i]);
        });
        Permute(list, GappedInsertionOrder(list.size(), [&](qsizetype i) { return times[i]; }));
    }
}

void SortFolderNames(QStringList& folders) {
    std::vector<std::string> keys;
    keys.reserve(size_t(folders.size()));
    for (const QString& folder : folders)
        keys.push_back(CodePointKey(folder));
    Permute(folders,
            GappedInsertionOrder(keys.size(), [&](qsizetype i) { return std::string_view(keys[i]); }));
}

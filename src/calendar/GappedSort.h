#pragma once

#include <bit>
#include <cstddef>
#include <utility>
#include <vector>

// Shell's sort with the gaps 2^k - 1, largest first. Entries that compare equal do not keep their
// order; the order the calendar has always shown them in is that of exactly this sort, so it is kept
// rather than replaced by a stable library sort.
template <typename T, typename Greater> void GappedInsertionSort(std::vector<T>& items, Greater greater) {
    const auto n = std::ptrdiff_t(items.size());
    if (n < 2) return;
    for (std::ptrdiff_t gap = (std::ptrdiff_t(1) << (std::bit_width(std::size_t(n)) - 1)) - 1; gap > 0;
         gap /= 2)
        for (std::ptrdiff_t i = 0; i + gap < n; ++i)
            for (std::ptrdiff_t j = i; j >= 0 && greater(items[j], items[j + gap]); j -= gap)
                std::swap(items[j], items[j + gap]);
}

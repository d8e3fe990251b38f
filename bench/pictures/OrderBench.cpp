// Ordering 100 000 entries: random order, and name order of a shuffled list.
#include "pictures/PictureOrder.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 100'000;

PictureList ShuffledEntries() {
    PictureList list;
    list.reserve(kEntries);
    const QDateTime base(QDate(2024, 1, 1), QTime(0, 0));
    for (int i = 0; i < kEntries; ++i)
        list.push_back({QStringLiteral("/home/user/Bilder/Ordner%1/IMG_%2.JPG").arg(i / 100).arg(i),
                        base.addSecs(i % 5000)});
    SortPictures(list, OrderRandom);
    return list;
}

void RandomOrder(benchmark::State& state) {
    PictureList list = ShuffledEntries();
    for (auto _ : state)
        SortPictures(list, OrderRandom);
}

void SortedFromShuffled(benchmark::State& state, int mode) {
    const PictureList shuffled = ShuffledEntries();
    for (auto _ : state) {
        state.PauseTiming();
        PictureList list = shuffled;
        state.ResumeTiming();
        SortPictures(list, mode);
        benchmark::DoNotOptimize(list.data());
    }
}

} // namespace

BENCHMARK(RandomOrder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortedFromShuffled, NameOrder, OrderByName)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortedFromShuffled, DateOrder, OrderByDate)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

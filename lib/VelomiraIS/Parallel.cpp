#include "Parallel.h"

#include <system_error>
#include <thread>

namespace {
// Below this much work (in byte operations) starting a thread costs more than it saves.
constexpr int64_t kMinParallelWork = int64_t(1) << 20;
} // namespace

void RunInTwo(int64_t count, int64_t workPerItem, const std::function<void(int64_t, int64_t)>& work) {
    const int64_t half = count / 2;
    if (half == 0 || count * workPerItem < kMinParallelWork) {
        work(0, count);
        return;
    }
    std::thread second;
    try {
        second = std::thread(work, half, count);
    } catch (const std::system_error&) {
        work(half, count); // no thread to be had: do that half here
    }
    work(0, half);
    if (second.joinable()) second.join();
}

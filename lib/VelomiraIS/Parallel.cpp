#include "Parallel.h"

#include <system_error>
#include <thread>

namespace {
// Below this much work (in byte operations) starting a thread costs more than it saves.
constexpr int64_t kMinParallelWork = int64_t(1) << 20;
} // namespace

void RunInTwo(int64_t count, int64_t workPerItem, int64_t split,
              const std::function<void(int64_t, int64_t)>& work) {
    if (split <= 0 || split >= count || count * workPerItem < kMinParallelWork) {
        work(0, count);
        return;
    }
    std::thread second;
    try {
        second = std::thread(work, split, count);
    } catch (const std::system_error&) {
        work(split, count); // no thread to be had: do that part here
    }
    work(0, split);
    if (second.joinable()) second.join();
}

void RunInTwo(int64_t count, int64_t workPerItem, const std::function<void(int64_t, int64_t)>& work) {
    RunInTwo(count, workPerItem, count / 2, work);
}

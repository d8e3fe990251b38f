#pragma once

#include <cstdint>
#include <functional>

// Runs work(begin, end) over [0, count) in two parts, [0, split) and [split, count), on two threads
// when there is enough work to pay for the second thread, else over all of it on the calling thread
// alone. The calling thread takes the first part. Returns when both are done.
void RunInTwo(int64_t count, int64_t workPerItem, int64_t split,
              const std::function<void(int64_t, int64_t)>& work);
// The same in two halves.
void RunInTwo(int64_t count, int64_t workPerItem, const std::function<void(int64_t, int64_t)>& work);

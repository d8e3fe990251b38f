#pragma once

#include <cstdint>
#include <functional>

// Runs work(begin, end) over [0, count) in two halves on two threads when there is enough work to
// pay for the second thread, else on the calling thread alone. Returns when both are done.
void RunInTwo(int64_t count, int64_t workPerItem, const std::function<void(int64_t, int64_t)>& work);

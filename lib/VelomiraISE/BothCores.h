#pragma once

#include <cstdint>
#include <functional>

namespace velomira::carve {

// Whether row work on this many pixels gains from a second thread (below, starting it costs more).
inline bool WorthTwoThreads(int64_t pixels) {
    return pixels >= (int64_t{1} << 16);
}

// Runs `first` on the calling thread and `second` on a helper thread and returns when both are done.
// When `parallel` is false, or no thread can be started, it runs them one after the other. Neither
// may throw.
void RunBoth(const std::function<void()>& first, const std::function<void()>& second, bool parallel);

// Calls body(begin, end) for the two halves of the rows 0 .. count, through RunBoth.
void ForRowHalves(int count, bool parallel, const std::function<void(int begin, int end)>& body);

} // namespace velomira::carve

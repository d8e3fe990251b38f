#include "BothCores.h"

#include <system_error>
#include <thread>

namespace velomira::carve {

void RunBoth(const std::function<void()>& first, const std::function<void()>& second, bool parallel) {
    if (parallel) {
        try {
            std::jthread helper(second);
            first();
            return;
        } catch (const std::system_error&) {
            // No thread to be had: fall through and do both here.
        }
    }
    first();
    second();
}

void ForRowHalves(int count, bool parallel, const std::function<void(int begin, int end)>& body) {
    const int middle = count / 2;
    RunBoth([&] { body(0, middle); }, [&] { body(middle, count); }, parallel);
}

} // namespace velomira::carve

#include "LargeBuffer.h"

#include <new>
#include <sys/mman.h>

namespace velomira::carve {

void* AllocateLarge(size_t bytes) {
    constexpr size_t kHugePage = size_t{2} << 20;
    const bool huge = bytes >= kHugePage;
    const size_t rounded = huge ? (bytes + kHugePage - 1) / kHugePage * kHugePage : bytes;
    void* memory = huge ? std::aligned_alloc(kHugePage, rounded) : std::malloc(bytes ? bytes : 1);
    if (!memory) throw std::bad_alloc();
    if (huge) madvise(memory, rounded, MADV_HUGEPAGE); // only advice: without it, small pages serve
    return memory;
}

} // namespace velomira::carve

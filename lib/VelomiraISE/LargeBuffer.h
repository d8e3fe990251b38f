#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace velomira::carve {

// Memory for `bytes` bytes, not initialised, in huge pages where the system lends them. Carving makes
// a few picture-sized arrays per call; faulting them in page by page took as long as the carving.
// Throws std::bad_alloc when memory runs out; free with std::free.
void* AllocateLarge(size_t bytes);

// A picture-sized array of `count` elements, left uninitialised.
template <typename T> class LargeBuffer {
public:
    explicit LargeBuffer(size_t count) : data_(static_cast<T*>(AllocateLarge(count * sizeof(T)))) {}

    T* data() const { return data_.get(); }

private:
    struct Free {
        void operator()(T* p) const { std::free(p); }
    };
    std::unique_ptr<T, Free> data_;
};

} // namespace velomira::carve

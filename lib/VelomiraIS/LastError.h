#pragma once

#include "VelomiraIS.h"

#include <cstdint>
#include <new>

// Records `code` as the calling thread's last failure and returns 0, so that a failing exported
// function can end with `return Fail(IS40_ERR_...)` whatever its return type.
struct Failure {
    template <typename T> operator T() const { return T{}; }
};
Failure Fail(int32_t code);

// Runs the body of an exported function. C callers cannot receive exceptions, so running out of
// memory becomes IS40_ERR_MEMORY.
template <typename Body> auto Guarded(Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return Fail(IS40_ERR_MEMORY);
    }
}

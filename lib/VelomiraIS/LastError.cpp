#include "LastError.h"

namespace {
thread_local int32_t lastError = IS40_ERR_NONE;
}

Failure Fail(int32_t code) {
    lastError = code;
    return {};
}

extern "C" int32_t IS40_GetLastError(void) {
    return lastError;
}

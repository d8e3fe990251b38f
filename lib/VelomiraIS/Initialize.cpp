#include "VelomiraIS.h"

extern "C" int32_t IS40_Initialize(void) {
    return 1;
}

extern "C" const char* IS40_GetVersion(void) {
    return VELOMIRA_LIB_VERSION;
}

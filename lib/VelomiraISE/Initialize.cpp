#include "VelomiraISE.h"

extern "C" int32_t ISE40_Initialize(void) {
    return 1;
}

extern "C" const char* ISE40_GetVersion(void) {
    return VELOMIRA_LIB_VERSION;
}

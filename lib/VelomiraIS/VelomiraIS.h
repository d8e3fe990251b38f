/* libVelomiraIS - Velomira's image library, C interface.
 *
 * Conventions: handles are pointer-sized (0 = failure); integers are 32-bit; colours are COLORREF
 * values 0x00BBGGRR; buffers returned by the library are calloc blocks the caller releases with free().
 */
#ifndef VELOMIRA_IS_H
#define VELOMIRA_IS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define IS40_API __attribute__((visibility("default")))

/* Makes the library ready for use; call once before any other function. Returns 1 on success. */
IS40_API int32_t IS40_Initialize(void);

/* The library's version as "major.minor.patch" (a static string). */
IS40_API const char* IS40_GetVersion(void);

#ifdef __cplusplus
}
#endif

#endif

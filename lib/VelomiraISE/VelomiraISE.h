/* libVelomiraISE - Velomira's effects library (seam carving), C interface.
 * Same conventions as VelomiraIS.h.
 */
#ifndef VELOMIRA_ISE_H
#define VELOMIRA_ISE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ISE40_API __attribute__((visibility("default")))

/* Makes the library ready for use; call once before any other function. Returns 1 on success. */
ISE40_API int32_t ISE40_Initialize(void);

/* The library's version as "major.minor.patch" (a static string). */
ISE40_API const char* ISE40_GetVersion(void);

#ifdef __cplusplus
}
#endif

#endif

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

/* Changes the width of an RGB picture by seam carving, keeping its height: narrowing removes the
 * vertical seams that add the least new contrast when taken out; widening finds as many such seams
 * on the original picture and doubles each of their pixels once, the added pixel being the average
 * of the seam pixel and its right neighbour. The target width T is width + widthChangePlusOne - 1
 * and must lie in 1 .. 2 * width; T = width copies the picture.
 *
 * src: width x height pixels of bytesPerPixel = 3 bytes (red, green, blue), rows top to bottom,
 *      srcStride bytes apart (at least width * 3).
 * dst: a separate buffer of height rows dstStride bytes apart (at least T * 3); the first T * 3
 *      bytes of each row are written, the rest of a row is left as it is.
 * reserved1, reserved2, tuning1, tuning2: accepted and ignored (the program passes 0, 0, 1000, 1);
 *      the carving has no knobs.
 * Returns 1 on success, 0 for bad arguments (null or overlapping buffers, sizes out of range,
 * a picture over 300 megapixels or 1,000,000 rows) or when memory runs out; dst may then hold a
 * partial result.
 */
ISE40_API int32_t ISE40_SeamCarve(const uint8_t* src, int32_t width, int32_t height, int32_t bytesPerPixel,
                                  int32_t srcStride, int32_t reserved1, int32_t reserved2, uint8_t* dst,
                                  int32_t dstStride, int32_t widthChangePlusOne, int32_t tuning1,
                                  int32_t tuning2);

#ifdef __cplusplus
}
#endif

#endif

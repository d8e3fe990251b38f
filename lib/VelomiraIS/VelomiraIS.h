/* libVelomiraIS - Velomira's image library, C interface.
 *
 * Conventions: handles are pointer-sized (0 = failure); integers are 32-bit; colours are COLORREF
 * values 0x00BBGGRR; buffers returned by the library are calloc blocks the caller releases with free().
 *
 * Pictures are 24-bit: 3 bytes per pixel in the order red, green, blue, rows from the top. `stride`
 * is the distance in bytes from one row to the next (at least width * 3); buffers are expected to
 * hold stride * height bytes. Every function that fails returns 0 (or a 0 handle) and records an
 * IS40_ERR_* code that IS40_GetLastError returns; successful calls leave the code as it was.
 * Calls may come from any one thread at a time; the error code is kept per thread.
 */
#ifndef VELOMIRA_IS_H
#define VELOMIRA_IS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define IS40_API __attribute__((visibility("default")))

/* Error codes returned by IS40_GetLastError. */
enum {
    IS40_ERR_NONE = 0,
    IS40_ERR_ARGUMENT = 1,    /* a null handle or buffer, a size <= 0, a stride too small, ... */
    IS40_ERR_OPEN = 2,        /* the file cannot be opened or created */
    IS40_ERR_READ = 3,        /* reading the file failed */
    IS40_ERR_FORMAT = 4,      /* the content is not a supported picture format (also empty files) */
    IS40_ERR_CORRUPT = 5,     /* the picture data is truncated or corrupt */
    IS40_ERR_TOO_LARGE = 6,   /* the picture has more than IS40_MAX_PIXELS pixels */
    IS40_ERR_MEMORY = 7,      /* out of memory */
    IS40_ERR_WRITE = 8,       /* writing or replacing the file failed; the old file is untouched */
    IS40_ERR_UNSUPPORTED = 9, /* a mode, bit depth or option the library does not offer */
    IS40_ERR_NOT_READY = 10   /* IS40_Initialize has not succeeded */
};

/* Pictures with more pixels than this are refused from their header, before decoding. */
#define IS40_MAX_PIXELS 300000000LL

/* Resampling modes of IS40_ResizeImage. */
enum {
    IS40_RESIZE_AREA = 14,   /* exact area average: every source pixel weighs by the area it covers */
    IS40_RESIZE_LANCZOS = 16 /* Lanczos-3, widened by the shrink factor when shrinking */
};

typedef struct IS40_RECT {
    int32_t left, top, right, bottom; /* right and bottom are exclusive */
} IS40_RECT;

typedef uintptr_t IS40_SOURCE; /* 0 = failure */
typedef uintptr_t IS40_DEST;   /* 0 = failure */

/* Makes the library ready for use in any host: when the host has no Qt application object, one
 * is created on the "offscreen" platform. Call once before any other function. Returns 1 on
 * success. */
IS40_API int32_t IS40_Initialize(void);

/* The library's version as "major.minor.patch" (a static string). */
IS40_API const char* IS40_GetVersion(void);

/* The code of the last failure on the calling thread (IS40_ERR_*). */
IS40_API int32_t IS40_GetLastError(void);

/* Opens a picture file (UTF-8 path) for reading. Returns the source, 0 on failure
 * (IS40_ERR_OPEN). Close it with IS40_CloseSource. */
IS40_API IS40_SOURCE IS40_OpenFileSource(const char* path);

/* Closes a source; 0 is ignored. */
IS40_API void IS40_CloseSource(IS40_SOURCE source);

/* Decodes the picture of `source` into a new 24-bit buffer of width * 3 * height bytes (stride
 * exactly width * 3), stores its size in *width and *height and returns it; the caller frees it
 * with free(). JPEG, PNG, BMP, GIF (first frame), TIFF and PCX are recognised by their content;
 * a photo's EXIF orientation is applied and transparency is composed onto black. `reserved1` and
 * `reserved2` are ignored (pass 0). Returns 0 on failure (IS40_ERR_FORMAT, _CORRUPT, _TOO_LARGE, _MEMORY,
 * _READ, _ARGUMENT). */
IS40_API uint8_t* IS40_ReadImage(IS40_SOURCE source, int32_t* width, int32_t* height, int32_t reserved1,
                                 int32_t reserved2);

/* Prepares to replace the file at `path` (UTF-8): a temporary file is created beside it, so the
 * folder must be writable. `reserved` is ignored (pass 0). Returns the destination, 0 on failure
 * (IS40_ERR_OPEN). */
IS40_API IS40_DEST IS40_OpenFileDest(const char* path, int32_t reserved);

/* Writes `buffer` (width x height, `bitsPerPixel` 24, rows `stride` bytes apart) as an
 * uncompressed 24-bit BMP and puts it in place of the destination's file in one atomic rename,
 * so that readers see the old or the complete new file. One picture per destination. The four
 * reserved arguments are ignored (pass 0). Returns 1 on success, 0 on failure (IS40_ERR_WRITE: the old file
 * is untouched; IS40_ERR_ARGUMENT, IS40_ERR_UNSUPPORTED). */
IS40_API int32_t IS40_WriteBMP(IS40_DEST dest, const uint8_t* buffer, int32_t width, int32_t height,
                               int32_t bitsPerPixel, int32_t stride, int32_t reserved1, int32_t reserved2,
                               int32_t reserved3, int32_t reserved4);

/* Releases a destination; a file that was not written is left as it was. 0 is ignored. */
IS40_API void IS40_CloseDest(IS40_DEST dest);

/* Scales the whole of src (width x height) into dst (width2 x height2) with `mode`
 * IS40_RESIZE_LANCZOS or IS40_RESIZE_AREA. `bytesPerPixel` must be 3; `flags` is ignored (pass 0). src and
 * dst must not overlap. Returns 1 on success, 0 on failure (IS40_ERR_ARGUMENT, _UNSUPPORTED, _MEMORY). */
IS40_API int32_t IS40_ResizeImage(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                  uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride,
                                  int32_t bytesPerPixel, int32_t mode, int32_t flags);

/* Copies the part `rect` of src into dst, whose size is the rectangle's size and whose rows are
 * `dstStride` bytes apart. The rectangle may lie partly or wholly outside src; dst pixels that
 * fall outside src are left unchanged (zero in a fresh buffer). Returns 1 on success, 0 on
 * failure (IS40_ERR_ARGUMENT, e.g. right < left or `bytesPerPixel` not 3). */
IS40_API int32_t IS40_CropImage(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                uint8_t* dst, int32_t dstStride, const IS40_RECT* rect,
                                int32_t bytesPerPixel);

/* Fills the part of `rect` that lies inside the buffer with `colour`. Returns 1 on success (also
 * when nothing lies inside), 0 on failure (IS40_ERR_ARGUMENT). `bytesPerPixel` must be 3; `flags` is ignored
 * (pass 0). */
IS40_API int32_t IS40_FillSolidRect(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                                    int32_t stride, const IS40_RECT* rect, uint32_t colour, int32_t flags);

/* Lays src (srcWidth x srcHeight) onto dst with its top-left corner at (x, y), clipped to dst:
 * dst = src * opacity + dst * (1 - opacity), opacity from 0.0 to 1.0 (1.0 copies). `bytesPerPixel`
 * must be 3; `reserved` and the two flags are ignored (pass 1.0, 0, 0). src and dst must not overlap. Returns
 * 1 on success, 0 on failure (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_OverlayImage(uint8_t* dst, int32_t width, int32_t height, int32_t bytesPerPixel,
                                   int32_t stride, const uint8_t* src, int32_t srcWidth, int32_t srcHeight,
                                   int32_t srcStride, int32_t x, int32_t y, double opacity, double reserved,
                                   int32_t flags1, int32_t flags2);

#ifdef __cplusplus
}
#endif

#endif

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
 * a photo's EXIF orientation is applied and transparency is composed onto black. When `minWidth`
 * and `minHeight` are both above 0 they name the smallest size the caller needs (as shown, the
 * orientation applied): a JPEG is then decoded scaled down by n/8, with the smallest n from 1 to 8
 * whose size, rounded up as libjpeg rounds it, is at least that large. Other formats, and 0, give
 * the full size. Returns 0 on failure (IS40_ERR_FORMAT, _CORRUPT, _TOO_LARGE, _MEMORY, _READ, _ARGUMENT). */
IS40_API uint8_t* IS40_ReadImage(IS40_SOURCE source, int32_t* width, int32_t* height, int32_t minWidth,
                                 int32_t minHeight);

/* The full size of the picture of `source` as IS40_ReadImage shows it (the EXIF orientation
 * applied), from its header alone, for the JPEGs that IS40_ReadImage can scale. Returns 1 on
 * success, 0 on failure (IS40_ERR_UNSUPPORTED for other formats and for CMYK JPEGs, IS40_ERR_CORRUPT,
 * _TOO_LARGE, _READ, _ARGUMENT). */
IS40_API int32_t IS40_ReadImageSize(IS40_SOURCE source, int32_t* width, int32_t* height);

/* Decodes the picture of `source` scaled (IS40_RESIZE_LANCZOS) to width2 x height2, of which only the
 * part `rect` is made: dst receives it as IS40_ResizeImagePart would from the picture that
 * IS40_ReadImage gives with width2 x height2 as the smallest size. Of a JPEG only the rows that the
 * part needs are decoded, and not into a picture of their own, but a band at a time while the
 * scaling goes on, so that time and memory follow the part. Returns 1 on success, 0 on failure (the
 * codes of IS40_ReadImage; IS40_ERR_ARGUMENT also for a rectangle as IS40_ResizeImagePart refuses it).
 * A JPEG whose data is damaged only after the rows the part needs may succeed. */
IS40_API int32_t IS40_ReadImageResized(IS40_SOURCE source, int32_t width2, int32_t height2, uint8_t* dst,
                                       int32_t dstStride, const IS40_RECT* rect);

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

/* Like IS40_ResizeImage, but of the width2 x height2 result only the part `rect` is made: dst
 * receives it, with the rectangle's size and rows `dstStride` bytes apart, pixel for pixel as the
 * whole result has it there. The rectangle must not be empty and must lie inside the result. Time
 * and memory grow with the part and the source, not with the whole result. Returns 1 on success, 0
 * on failure (IS40_ERR_ARGUMENT, _UNSUPPORTED, _MEMORY). */
IS40_API int32_t IS40_ResizeImagePart(const uint8_t* src, int32_t width, int32_t height, int32_t srcStride,
                                      uint8_t* dst, int32_t width2, int32_t height2, int32_t dstStride,
                                      const IS40_RECT* rect, int32_t bytesPerPixel, int32_t mode,
                                      int32_t flags);

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

/* ---- Text, drawing and picture metadata ---- */

/* Flags of IS40_GetTextLineSize2 and IS40_DrawSmoothTextOnRGB2 (the values of DrawText). */
enum {
    IS40_DT_LEFT = 0x0,
    IS40_DT_CENTER = 0x1,
    IS40_DT_RIGHT = 0x2,
    IS40_DT_VCENTER = 0x4,     /* with IS40_DT_SINGLELINE: the line is centred vertically */
    IS40_DT_BOTTOM = 0x8,      /* with IS40_DT_SINGLELINE: the line sits on the bottom edge */
    IS40_DT_SINGLELINE = 0x20, /* line breaks do not break the line (drawn as spaces) */
    IS40_DT_NOPREFIX = 0x800   /* "&" is shown as it is; without it "&x" shows "x" and "&&" shows "&" */
};

/* A font description. lfHeight > 0 is the cell height in pixels (ascent + descent of a line),
 * lfHeight < 0 the character height (the em size), 0 a default of 16 pixels. lfWeight 1 to 1000 (400
 * normal, 700 bold, 0 = 400); lfItalic, lfUnderline, lfStrikeOut 0 or 1. lfFaceName is UTF-8,
 * zero-terminated unless all 32 bytes are used; a family that is not installed is replaced as
 * fontconfig decides ("Arial" becomes a metric-compatible family where one is installed). The
 * other fields are ignored. */
typedef struct IS40_LOGFONT {
    int32_t lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    uint8_t lfItalic, lfUnderline, lfStrikeOut, lfCharSet;
    uint8_t lfOutPrecision, lfClipPrecision, lfQuality, lfPitchAndFamily;
    char lfFaceName[32];
} IS40_LOGFONT;

/* The size of the block that `text` (UTF-8; lines end at "\r\n", "\n" or "\r") takes in `font`:
 * the widest line's advance and the number of lines times the line height. `rect` and `reserved` are
 * ignored (pass the target rectangle and 0); of `flags` IS40_DT_SINGLELINE and IS40_DT_NOPREFIX count.
 * An empty text has the size 0 x one line. Returns 1 on success, 0 on failure (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_GetTextLineSize2(const char* text, const IS40_LOGFONT* font, const IS40_RECT* rect,
                                       int32_t flags, int32_t reserved, int32_t* width, int32_t* height);

/* The opacity of the text drawn by the following IS40_DrawSmoothTextOnRGB2 calls on this thread,
 * 0.0 (invisible) to 1.0 (opaque, the starting value); values outside are clamped. Returns 1, or 0
 * for a value that is not a number (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_SetTextTransparency(double opacity);

/* Draws `text` anti-aliased in `colour` into `rect` of the buffer, clipped to the rectangle and the
 * buffer. Lines are laid out from the rectangle's top and aligned by IS40_DT_LEFT, _CENTER or _RIGHT
 * within it, with the line height and widths IS40_GetTextLineSize2 gives. `smoothing` (pass 4) and
 * `reserved` (pass 0) are ignored: the glyphs are anti-aliased by coverage. Returns 1 on success,
 * 0 on failure (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_DrawSmoothTextOnRGB2(uint8_t* buffer, int32_t width, int32_t height, int32_t stride,
                                           const char* text, const IS40_LOGFONT* font, int32_t smoothing,
                                           const IS40_RECT* rect, int32_t flags, int32_t reserved,
                                           uint32_t colour);

/* Turns a picture (stride exactly width * 3) in place: `turn` 0 a quarter turn counter-clockwise
 * (the top edge goes to the left, text then reads upwards), 1 a half turn, 2 a quarter turn
 * clockwise. After a quarter turn the picture is height x width. `bytesPerPixel` must be 3,
 * `reserved` is ignored (pass 0). Returns 1 on success, 0 on failure (IS40_ERR_ARGUMENT, _MEMORY). */
IS40_API int32_t IS40_QuickRotateImageInPlace(uint8_t* buffer, int32_t width, int32_t height, int32_t turn,
                                              int32_t bytesPerPixel, int32_t reserved);

/* Writes one grey byte per pixel of src into dst (rows `dstStride` bytes apart, at least width):
 * the luminance 0.299 R + 0.587 G + 0.114 B, rounded. `bytesPerPixel` must be 3, `reserved` is
 * ignored (pass 0). Returns 1 on success, 0 on failure (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_ImageToGrayScale8Bit(const uint8_t* src, int32_t width, int32_t height,
                                           int32_t bytesPerPixel, int32_t srcStride, uint8_t* dst,
                                           int32_t dstStride, int32_t reserved);

/* Blends src (srcWidth x srcHeight) onto dst with its top-left corner at (x, y), clipped to dst,
 * through `mask` (one byte per src pixel, rows srcWidth bytes apart): dst = src * m + dst * (1 - m)
 * with m = mask / 255. `reserved` is ignored (pass 0). Returns 1 on success, 0 on failure
 * (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_AlphaBlendRGB(uint8_t* dst, int32_t width, int32_t height, int32_t stride,
                                    const uint8_t* src, int32_t srcWidth, int32_t srcHeight,
                                    int32_t srcStride, const uint8_t* mask, int32_t x, int32_t y,
                                    int32_t reserved);

/* Lays `colour` at `opacity` (0.0 to 1.0, clamped) over the part of `rect` inside the buffer.
 * `bytesPerPixel` must be 3, `reserved` is ignored (pass 0). Returns 1 on success (also when nothing
 * lies inside), 0 on failure (IS40_ERR_ARGUMENT, also for an opacity that is not a number). */
IS40_API int32_t IS40_FillTransparentRectOnImage(uint8_t* buffer, int32_t width, int32_t height,
                                                 int32_t bytesPerPixel, int32_t stride, const IS40_RECT* rect,
                                                 uint32_t colour, double opacity, int32_t reserved);

/* Draws a one-pixel line from (x1, y1) to (x2, y2), both ends included, clipped to the buffer; the
 * points may lie anywhere. `bytesPerPixel` must be 3, `reserved` is ignored (pass 2). Returns 1 on
 * success, 0 on failure (IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_DrawLineOnImage(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                                      int32_t stride, uint32_t colour, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2, int32_t reserved);

typedef uintptr_t IS40_EXIF; /* 0 = failure */
typedef uintptr_t IS40_IPTC; /* 0 = failure */

/* Reads the EXIF block of the source's file (the source may be closed afterwards). The two
 * reserved arguments are ignored (pass 0, 1). Returns the reader, 0 when the file has no readable
 * EXIF block (IS40_ERR_FORMAT, _CORRUPT, _READ, _ARGUMENT). */
IS40_API IS40_EXIF IS40_EXIFCreateReader(IS40_SOURCE source, int32_t reserved1, int32_t reserved2);

/* The tag with the number `tag` (looked up in the image, photo, GPS and interoperability
 * directories, in this order) as text a person reads ("1/200" for an exposure time, the camera
 * model as written), not zero-terminated, in a new block of *length bytes (free()). The tags 40091
 * to 40095 come as their bytes in decimal, separated by ",". `flags` is ignored (pass 31). Returns 1,
 * or 0 when the tag is missing (*block null, *length 0; IS40_ERR_FORMAT) or on failure. */
IS40_API int32_t IS40_EXIFGetString(IS40_EXIF reader, int32_t tag, int32_t flags, char** block,
                                    int32_t* length);

/* Releases a reader; 0 is ignored. */
IS40_API void IS40_EXIFDestroyReader(IS40_EXIF reader);

/* Reads the IPTC block of the source's file (the source may be closed afterwards). The reserved
 * arguments are ignored (pass 0, 0). Returns the handle, 0 when the file has no readable IPTC
 * block (IS40_ERR_FORMAT, _CORRUPT, _READ, _ARGUMENT). */
IS40_API IS40_IPTC IS40_IPTCInitialize(IS40_SOURCE source, int32_t reserved1, int32_t reserved2);

/* The datasets in file order, one line "record,dataset,index" each (lines end in "\n"; index counts
 * repeated datasets of the same number from 0), in a new block of *length bytes (free()).
 * `reserved` is ignored (pass 0). Returns 1 (an empty block list gives *block null and *length 0),
 * 0 on failure. */
IS40_API int32_t IS40_IPTCGetTagList(IS40_IPTC iptc, char** block, int32_t* length, int32_t reserved);

/* The text of one dataset named as in the list, in a new block of *length bytes (free()). Returns 1,
 * or 0 when there is no such dataset (*block null; IS40_ERR_ARGUMENT). */
IS40_API int32_t IS40_IPTCGetTag(IS40_IPTC iptc, int32_t record, int32_t dataset, int32_t index, char** block,
                                 int32_t* length);

/* Releases the IPTC data; 0 is ignored. */
IS40_API void IS40_IPTCRelease(IS40_IPTC iptc);

#ifdef __cplusplus
}
#endif

#endif

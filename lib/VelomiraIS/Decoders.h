#pragma once

#include "Pixels.h"
#include "Resample.h"

#include <span>

// The decoders behind IS40_ReadImage. Each takes a whole file's bytes and never reads outside them.

bool LooksLikeJpeg(std::span<const uint8_t> data);
bool LooksLikePcx(std::span<const uint8_t> data);

// Baseline and progressive JPEG with libjpeg straight into 24-bit rows, scaled down by n/8 to no
// less than minWidth x minHeight (as shown) when both are above 0. Colour spaces it cannot turn into
// RGB (CMYK, YCCK) give IS40_ERR_UNSUPPORTED.
DecodedImage DecodeJpeg(std::span<const uint8_t> data, int32_t minWidth, int32_t minHeight);

// DecodeJpeg at no less than window.outWidth x outHeight followed by ResampleLanczos to that size,
// pixel for pixel, but with only the rows that the window needs decoded, a band at a time as the
// resampling goes, and nothing of the rest of the file read. Returns IS40_ERR_UNSUPPORTED for what it
// does not do that way (progressive and turned pictures, resizes that ResampleLanczosBands does not
// make, colour spaces DecodeJpeg does not take): those are to be decoded whole.
int32_t DecodeJpegResized(std::span<const uint8_t> data, const MutableView& dst, const ResizeWindow& window);

// The size DecodeJpeg gives at full scale, from the header; returns an IS40_ERR_* code.
int32_t JpegSize(std::span<const uint8_t> data, int32_t& width, int32_t& height);

// PCX: 1, 2, 4 or 8 bits in up to 4 planes (paletted), or 8 bits in 3 planes (true colour).
DecodedImage DecodePcx(std::span<const uint8_t> data);

// PNG, BMP, GIF (first frame), TIFF and JPEG through Qt's image readers.
DecodedImage DecodeWithQt(std::span<const uint8_t> data);

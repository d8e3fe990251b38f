#pragma once

#include "Pixels.h"

#include <span>

// The decoders behind IS40_ReadImage. Each takes a whole file's bytes and never reads outside them.

bool LooksLikeJpeg(std::span<const uint8_t> data);
bool LooksLikePcx(std::span<const uint8_t> data);

// Baseline and progressive JPEG with libjpeg straight into 24-bit rows. Colour spaces it cannot
// turn into RGB (CMYK, YCCK) give IS40_ERR_UNSUPPORTED.
DecodedImage DecodeJpeg(std::span<const uint8_t> data);

// PCX: 1, 2, 4 or 8 bits in up to 4 planes (paletted), or 8 bits in 3 planes (true colour).
DecodedImage DecodePcx(std::span<const uint8_t> data);

// PNG, BMP, GIF (first frame), TIFF and JPEG through Qt's image readers.
DecodedImage DecodeWithQt(std::span<const uint8_t> data);

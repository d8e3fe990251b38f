#pragma once

#include "Pixels.h"

#include <span>

// The EXIF orientation (1 to 8) in the payload of a JPEG APP1 segment ("Exif\0\0" and a TIFF
// structure); 1 (upright) when there is none or it cannot be read.
int ExifOrientation(std::span<const uint8_t> app1);

// Turns and mirrors a decoded photo stored with EXIF `orientation` so that it shows upright.
// Returns an IS40_ERR_* code; the picture is unchanged on failure.
int32_t ApplyOrientation(DecodedImage& image, int orientation);

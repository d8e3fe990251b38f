#pragma once

#include "Pixels.h"

#include <span>

// Whether the payload of a JPEG APP1 segment is EXIF data ("Exif\0\0"), not XMP or another kind.
bool IsExif(std::span<const uint8_t> app1);

// The EXIF orientation (1 to 8) in the payload of a JPEG APP1 segment ("Exif\0\0" and a TIFF
// structure); 1 (upright) when there is none or it cannot be read.
int ExifOrientation(std::span<const uint8_t> app1);

// Turns and mirrors a decoded photo stored with EXIF `orientation` so that it shows upright.
// Returns an IS40_ERR_* code; the picture is unchanged on failure.
int32_t ApplyOrientation(DecodedImage& image, int orientation);

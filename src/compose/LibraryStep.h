#pragma once

#include "imagelib/ImageBuffer.h"

#include <cstdint>

// The composition's own calls into the image libraries raise the same errors as the wrappers:
// number 1000 + the library's error code, source "ComposeWallpaper", the step as description.

// A zero-filled width x height buffer; raises "GlobalAlloc" when it cannot be had.
ImageBuffer AllocateBuffer(int width, int height);

// Raises the step's error when `result` is 0. Steps of the base library report its last error
// code; the effects library keeps none (code 0).
void CheckStep(int32_t result, const char* step, bool effectsLibrary = false);

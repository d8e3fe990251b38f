#include "compose/LibraryStep.h"

#include "imagelib/ImageError.h"
#include "imagelib/ImageLibrary.h"

ImageBuffer AllocateBuffer(int width, int height) {
    ImageBuffer buffer = ImageBuffer::Allocate(width, height);
    if (buffer.empty()) throw ImageError(1000, "ComposeWallpaper", "GlobalAlloc");
    return buffer;
}

void CheckStep(int32_t result, const char* step, bool effectsLibrary) {
    if (result == 0)
        throw ImageError(1000 + (effectsLibrary ? 0 : Library().fn().IS40_GetLastError()), "ComposeWallpaper",
                         step);
}

#include "compose/DrawingRoutines.h"

#include "compose/WorkingImage.h"
#include "imagelib/ImageLibrary.h"

void FillTransparentRect(int32_t colour, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         int32_t opacity) {
    const WorkingImageView& image = WorkingImage();
    if (!image) return;
    const IS40_RECT rect{left, top, right == -1 ? image.width : right, bottom == -1 ? image.height : bottom};
    Library().fn().IS40_FillTransparentRectOnImage(image.buffer, image.width, image.height, 3,
                                                   image.width * 3, &rect, uint32_t(colour), opacity / 100.0,
                                                   0);
}

void DrawLine(int32_t colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const WorkingImageView& image = WorkingImage();
    if (!image) return;
    Library().fn().IS40_DrawLineOnImage(image.buffer, image.width, image.height, 3, image.width * 3,
                                        uint32_t(colour), x1, y1, x2, y2, 2);
}

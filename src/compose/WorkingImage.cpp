#include "compose/WorkingImage.h"

namespace {

WorkingImageView registered;

} // namespace

void SetWorkingImage(uint8_t* buffer, int width, int height) {
    registered = {buffer, width, height};
}

const WorkingImageView& WorkingImage() {
    return registered;
}

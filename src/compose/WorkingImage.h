#pragma once

#include <cstdint>

// The canvas the stamp and calendar renderers draw on in place. It is registered only while a
// renderer runs; with nothing registered the drawing routines do nothing.
struct WorkingImageView {
    uint8_t* buffer = nullptr;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return buffer && width > 0 && height > 0; }
};

void SetWorkingImage(uint8_t* buffer, int width, int height);
const WorkingImageView& WorkingImage();

// Registers a canvas for the lifetime of the scope, and clears the registration however the scope
// is left.
class WorkingImageScope {
public:
    WorkingImageScope(uint8_t* buffer, int width, int height) { SetWorkingImage(buffer, width, height); }
    ~WorkingImageScope() { SetWorkingImage(nullptr, 0, 0); }
    WorkingImageScope(const WorkingImageScope&) = delete;
    WorkingImageScope& operator=(const WorkingImageScope&) = delete;
};

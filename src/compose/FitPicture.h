#pragma once

#include "app/Settings.h"
#include "imagelib/ImageBuffer.h"

#include <QSize>

// Fits the picture to the screen by the fit mode of `misc` (see FitPlan.h): resized with the
// library's high-quality filter, then cut to the screen (fill) or seam-carved to its new width. Of a
// resized picture larger than the screen only the part that shows when centred is made. The fit
// works on the picture's `full` size (invalid: the picture's own); the picture itself may be a
// decode of it scaled down to no less than FitDecodeSize.
// Raises ImageError when a library step fails.
ImageBuffer FitPicture(ImageBuffer picture, QSize screen, const Settings::Misc& misc, QSize full = {});

// The smallest picture FitPicture makes the same fit from as from a picture of `full` size: the
// size it resizes that to, or `full` itself when it resizes nothing.
QSize FitDecodeSize(QSize full, QSize screen, const Settings::Misc& misc);

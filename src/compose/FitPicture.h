#pragma once

#include "app/Settings.h"
#include "imagelib/ImageBuffer.h"

#include <QSize>
#include <QString>
#include <functional>

// Fits the picture to the screen by the fit mode of `misc` (see FitPlan.h): resized with the
// library's high-quality filter, then cut to the screen (fill) or seam-carved to its new width. Of a
// resized picture larger than the screen only the part that shows when centred is made.
// Raises ImageError when a library step fails.
ImageBuffer FitPicture(ImageBuffer picture, QSize screen, const Settings::Misc& misc);

// Reads the picture at `path` and fits it as FitPicture does, the resizing done as it is read (see
// ReadImage); `read` is called once it has been read and resized, before the seam carving.
ImageBuffer ReadFittedPicture(const QString& path, QSize screen, const Settings::Misc& misc,
                              const std::function<void()>& read);

#include "compose/FitPicture.h"

#include "compose/FitPlan.h"
#include "compose/LibraryStep.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"

#include <algorithm>

namespace {

// The part of a picture of `size` that shows when it is centred on the screen: its middle where it
// overflows, the odd pixel of an overflow cut on the right (bottom), as the centring rounds toward
// zero.
QRect shownPart(QSize size, QSize screen) {
    const int width = std::min(size.width(), screen.width()),
              height = std::min(size.height(), screen.height());
    return QRect((size.width() - width) / 2, (size.height() - height) / 2, width, height);
}

FitPlan planFor(QSize full, QSize screen, const Settings::Misc& misc) {
    return PlanFit(full, screen, misc.magnify, misc.width == 1, misc.height == 1);
}

} // namespace

QSize FitDecodeSize(QSize full, QSize screen, const Settings::Misc& misc) {
    const FitPlan plan = planFor(full, screen, misc);
    return plan.resize.isValid() ? plan.resize : full;
}

ImageBuffer FitPicture(ImageBuffer picture, QSize screen, const Settings::Misc& misc, QSize full) {
    const FitPlan plan =
        planFor(full.isValid() ? full : QSize(picture.width(), picture.height()), screen, misc);
    const ImageLibraryFunctions& fn = Library().fn();
    // Only what shows is resampled: the fill's cut, or the part of the screen that the centring
    // keeps. Seam carving needs the whole resized picture.
    if (plan.resize.isValid()) {
        const QRect whole(QPoint(0, 0), plan.resize), shown = shownPart(plan.resize, screen);
        // A part that does not cover the screen is taken whole: the matching background colour is
        // the whole picture's.
        const QRect part = !plan.crop.isNull()                                ? plan.crop
                           : plan.carveToWidth == 0 && shown.size() == screen ? shown
                                                                              : whole;
        picture = ResizeImage(picture, plan.resize.width(), plan.resize.height(), part);
    }
    if (plan.carveToWidth > 0 && plan.carveToWidth != picture.width()) {
        ImageBuffer carved = AllocateBuffer(plan.carveToWidth, picture.height());
        CheckStep(fn.ISE40_SeamCarve(picture.data(), picture.width(), picture.height(), 3, picture.stride(),
                                     0, 0, carved.data(), carved.stride(),
                                     plan.carveToWidth - picture.width() + 1, 1000, 1),
                  "ISE_SeamCarve", true);
        picture = std::move(carved);
    }
    return picture;
}

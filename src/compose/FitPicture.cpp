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

// The resize of the plan, if any, and the part of it that is made: only what shows, the fill's cut or
// the part of the screen that the centring keeps. Seam carving needs the whole resized picture, and
// a part that does not cover the screen is taken whole: the matching background colour is the whole
// picture's.
ReadScaling scalingOf(const FitPlan& plan, QSize screen) {
    if (!plan.resize.isValid()) return {};
    const QRect whole(QPoint(0, 0), plan.resize), shown = shownPart(plan.resize, screen);
    return {plan.resize, !plan.crop.isNull()                                ? plan.crop
                         : plan.carveToWidth == 0 && shown.size() == screen ? shown
                                                                            : whole};
}

ImageBuffer carved(ImageBuffer picture, const FitPlan& plan) {
    if (plan.carveToWidth <= 0 || plan.carveToWidth == picture.width()) return picture;
    ImageBuffer result = AllocateBuffer(plan.carveToWidth, picture.height());
    CheckStep(Library().fn().ISE40_SeamCarve(picture.data(), picture.width(), picture.height(), 3,
                                             picture.stride(), 0, 0, result.data(), result.stride(),
                                             plan.carveToWidth - picture.width() + 1, 1000, 1),
              "ISE_SeamCarve", true);
    return result;
}

} // namespace

ImageBuffer FitPicture(ImageBuffer picture, QSize screen, const Settings::Misc& misc) {
    const FitPlan plan = planFor(QSize(picture.width(), picture.height()), screen, misc);
    if (const ReadScaling scaling = scalingOf(plan, screen); scaling.size.isValid())
        picture = ResizeImage(picture, scaling.size.width(), scaling.size.height(), scaling.part);
    return carved(std::move(picture), plan);
}

ImageBuffer ReadFittedPicture(const QString& path, QSize screen, const Settings::Misc& misc,
                              const std::function<void()>& read) {
    FitPlan plan;
    ImageBuffer picture = ReadImage(path, [&](QSize full) {
        plan = planFor(full, screen, misc);
        return scalingOf(plan, screen);
    });
    read();
    return carved(std::move(picture), plan);
}

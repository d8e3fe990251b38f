#include "compose/FitPicture.h"

#include "compose/FitPlan.h"
#include "compose/LibraryStep.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"

ImageBuffer FitPicture(ImageBuffer picture, QSize screen, const Settings::Misc& misc) {
    const FitPlan plan = PlanFit(QSize(picture.width(), picture.height()), screen, misc.magnify,
                                 misc.width == 1, misc.height == 1);
    const ImageLibraryFunctions& fn = Library().fn();
    if (plan.resize.isValid()) picture = ResizeImage(picture, plan.resize.width(), plan.resize.height());
    if (!plan.crop.isNull()) {
        ImageBuffer cut = AllocateBuffer(plan.crop.width(), plan.crop.height());
        const IS40_RECT rect{plan.crop.left(), plan.crop.top(), plan.crop.left() + plan.crop.width(),
                             plan.crop.top() + plan.crop.height()};
        CheckStep(fn.IS40_CropImage(picture.data(), picture.width(), picture.height(), picture.stride(),
                                    cut.data(), cut.stride(), &rect, 3),
                  "IS_CropImage");
        picture = std::move(cut);
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

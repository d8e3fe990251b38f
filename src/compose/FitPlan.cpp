#include "compose/FitPlan.h"

#include "app/NumericText.h"

#include <algorithm>

namespace {

// The first ratio is the start value; the second replaces it only when strictly smaller (larger).
double minRatio(double a, double b) {
    return b < a ? b : a;
}
double maxRatio(double a, double b) {
    return b > a ? b : a;
}

// Seam carving narrows a picture by at most this factor.
constexpr int kMaxNarrowing = 4;

int scaled(int length, double ratio) {
    return std::max(1, RoundHalfEven(length * ratio));
}

} // namespace

FitPlan PlanFit(QSize picture, QSize screen, int mode, bool fitWidth, bool fitHeight) {
    FitPlan plan;
    const int w = picture.width(), h = picture.height();
    const int sw = screen.width(), sh = screen.height();
    if (picture == screen || w <= 0 || h <= 0) return plan;
    const double rx = double(sw) / w, ry = double(sh) / h;
    switch (mode) {
    case kShrinkOnly:
        if (const double r = minRatio(rx, ry); r < 1.0) plan.resize = QSize(scaled(w, r), scaled(h, r));
        break;
    case kFit: {
        const double r = minRatio(rx, ry);
        plan.resize = QSize(scaled(w, r), scaled(h, r));
        break;
    }
    case kFill: {
        const double r = maxRatio(rx, ry);
        plan.resize = QSize(scaled(w, r), scaled(h, r));
        const int left = RoundHalfEven((plan.resize.width() - sw) / 2.0);
        const int top = RoundHalfEven((plan.resize.height() - sh) / 2.0);
        plan.crop = QRect(left, top, sw, sh);
        break;
    }
    case kStretch:
        plan.resize = QSize(fitWidth ? sw : w, fitHeight ? sh : h);
        break;
    case kSeamCarve: {
        const int scaledWidth = scaled(w, double(sh) / h);
        plan.carveToWidth = double(sw) / scaledWidth > 2.0 ? 2 * scaledWidth : sw;
        // Carving away more than three quarters of the columns leaves only the strongest edges,
        // whatever the width it starts from: a picture wider than four screens is resampled to
        // four screens' width rather than its own (a 400 x 1 strip would be 432000 x 1080, 1.4 GB).
        plan.resize = QSize(std::min(scaledWidth, kMaxNarrowing * sw), sh);
        break;
    }
    default:
        break;
    }
    return plan;
}

#pragma once

#include <QRect>
#include <QSize>

// Fit modes (setting magnify).
enum FitMode {
    kShrinkOnly = 0, // "eventuell verkleinern"
    kFit = 1,        // "vergrößern"
    kFill = 2,       // "füllen"
    kStretch = 3,    // "strecken"
    kSeamCarve = 4,  // "seamless carven (experimentell)"
};

// What fitting a W x H picture to a SW x SH screen takes, in this order: a resize, then a crop
// (fill) or a seam carving to a new width (seam carve). Empty parts are skipped.
struct FitPlan {
    QSize resize;         // invalid: no resize
    QRect crop;           // null: no crop
    int carveToWidth = 0; // 0: no seam carving
};

// The arithmetic of the fit modes: ratios in double precision, sizes rounded half to even, the
// fill cut centred (an overflow of 5 cuts 2 on the left, one of 7 cuts 4), seam carving widening
// to at most twice the scaled width and narrowing to no less than a quarter. A picture of exactly the
// screen's size, or an unknown mode, needs nothing. Sizes never drop below one pixel, so a hair-thin picture
// still shows.
FitPlan PlanFit(QSize picture, QSize screen, int mode, bool fitWidth, bool fitHeight);

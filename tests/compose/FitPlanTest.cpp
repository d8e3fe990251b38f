#include "compose/FitPlan.h"
#include "compose/SplitPath.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    QSize picture, screen;
    int mode;
    bool width, height;
    QSize resize;
    QRect crop;
    int carve;
};

} // namespace

TEST(FitPlan, ModesOnSmallerLargerAndEqualPictures) {
    const QSize hd(1920, 1080);
    const Case cases[] = {
        {"shrink-only keeps a small picture", {800, 600}, hd, kShrinkOnly, true, true, {}, {}, 0},
        {"shrink-only shrinks a large one", {3840, 2160}, hd, kShrinkOnly, true, true, {1920, 1080}, {}, 0},
        {"shrink-only by the tighter side", {4000, 1000}, hd, kShrinkOnly, true, true, {1920, 480}, {}, 0},
        {"fit enlarges until a side meets", {800, 600}, hd, kFit, true, true, {1440, 1080}, {}, 0},
        {"fit shrinks too", {4000, 3000}, hd, kFit, true, true, {1440, 1080}, {}, 0},
        {"fit rounds half to even (7.5 -> 8)", {3, 40}, {100, 100}, kFit, true, true, {8, 100}, {}, 0},
        {"fit rounds half to even (12.5 -> 12)", {5, 40}, {100, 100}, kFit, true, true, {12, 100}, {}, 0},
        {"fill covers and cuts the middle",
         {1000, 1000},
         hd,
         kFill,
         true,
         true,
         {1920, 1920},
         {0, 420, 1920, 1080},
         0},
        {"fill: overflow 5 cuts 2 on the left",
         {105, 100},
         {100, 100},
         kFill,
         true,
         true,
         {105, 100},
         {2, 0, 100, 100},
         0},
        {"fill: overflow 7 cuts 4 on the left",
         {107, 100},
         {100, 100},
         kFill,
         true,
         true,
         {107, 100},
         {4, 0, 100, 100},
         0},
        {"stretch both", {800, 600}, hd, kStretch, true, true, {1920, 1080}, {}, 0},
        {"stretch width only", {800, 600}, hd, kStretch, true, false, {1920, 600}, {}, 0},
        {"stretch height only keeps a tall picture's width",
         {800, 2000},
         hd,
         kStretch,
         false,
         true,
         {800, 1080},
         {},
         0},
        {"seam carving widens a portrait at most twice",
         {600, 1200},
         hd,
         kSeamCarve,
         true,
         true,
         {540, 1080},
         {},
         1080},
        {"seam carving to the screen width",
         {1200, 1000},
         hd,
         kSeamCarve,
         true,
         true,
         {1296, 1080},
         {},
         1920},
        {"seam carving narrows a wide picture",
         {2000, 1000},
         hd,
         kSeamCarve,
         true,
         true,
         {2160, 1080},
         {},
         1920},
        {"a hair-thin picture keeps one pixel", {10000, 1}, hd, kFit, true, true, {1920, 1}, {}, 0},
        {"unknown mode leaves the picture", {800, 600}, hd, 7, true, true, {}, {}, 0},
    };
    for (const Case& c : cases) {
        const FitPlan plan = PlanFit(c.picture, c.screen, c.mode, c.width, c.height);
        EXPECT_EQ(plan.resize, c.resize) << c.what;
        EXPECT_EQ(plan.crop, c.crop) << c.what;
        EXPECT_EQ(plan.carveToWidth, c.carve) << c.what;
    }
    for (int mode = 0; mode <= 4; ++mode) {
        const FitPlan plan = PlanFit(hd, hd, mode, true, true);
        EXPECT_FALSE(plan.resize.isValid()) << "a screen-sized picture is used as it is, mode " << mode;
        EXPECT_EQ(plan.carveToWidth, 0);
    }
}

TEST(SplitPath, Parts) {
    struct PathCase {
        QString path, directory, name, extension;
    };
    const PathCase cases[] = {
        {"/home/anna/Bilder/Urlaub 2024.jpg", "home/anna/Bilder", "Urlaub 2024", "jpg"},
        {"/home/anna/Bilder/archiv.tar.gif", "home/anna/Bilder", "archiv.tar", "gif"},
        {"/home/anna/README", "home/anna", "README", ""},
        {"bild.png", "", "bild", "png"},
        {"/bild.png", "", "bild", "png"},
        {"/a.b/c", "a.b", "c", ""},
        {"//srv/x.jpg", "/srv", "x", "jpg"},
        {"/home/a:b/%d.jpg", "home/a:b", "%d", "jpg"},
        {"", "", "", ""},
    };
    for (const PathCase& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, "") << c.path.toStdString();
        EXPECT_EQ(p.directory, c.directory) << c.path.toStdString();
        EXPECT_EQ(p.name, c.name) << c.path.toStdString();
        EXPECT_EQ(p.extension, c.extension) << c.path.toStdString();
    }
}

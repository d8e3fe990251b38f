// Builds the picture list of one folder tree as the program does at start-up (recursive, jpg and
// png, name order) and prints the count, so that a process-level timer can compare it with find.
#include "pictures/PictureList.h"
#include "pictures/PictureOrder.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    Settings settings;
    settings.misc.recursive = 1;
    settings.misc.jpg = 1;
    settings.misc.png = 1;
    settings.misc.reihenfolge = OrderByName;
    settings.PictureFolders = {QFile::decodeName(argv[1]) + '/'};
    PictureList list;
    BuildPictureList(settings, list);
    std::printf("%zu\n", list.size());
    return 0;
}

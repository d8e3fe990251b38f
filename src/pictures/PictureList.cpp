#include "pictures/PictureList.h"

#include "pictures/PictureOrder.h"
#include "pictures/ScanFolder.h"
#include "platform/Paths.h"

#include <utility>

PictureList& Pictures() {
    static PictureList list;
    return list;
}

QStringList PatternList(const Settings::Misc& misc) {
    const std::pair<int, const char*> formats[] = {{misc.jpg, "*.jpg"}, {misc.bmp, "*.bmp"},
                                                   {misc.tif, "*.tif"}, {misc.pcx, "*.pcx"},
                                                   {misc.png, "*.png"}, {misc.gif, "*.gif"}};
    QStringList patterns;
    for (const auto& [flag, pattern] : formats)
        if (flag == 1) patterns.append(pattern);
    return patterns;
}

void BuildPictureList(Settings& settings, PictureList& list) {
    const QStringList patterns = PatternList(settings.misc);
    SortFolderNames(settings.PictureFolders);
    PictureList found;
    for (const QString& folder : settings.PictureFolders)
        ScanFolder(folder, patterns, settings.misc.recursive == 1, found);
    found.shrink_to_fit();
    SortPictures(found, settings.misc.reihenfolge);
    list = std::move(found);
}

PictureListSummary RefreshPictureList(Settings& settings, const QStringList& listedFolders,
                                      PictureList& list) {
    PictureListSummary summary;
    const QString& storage = settings.misc.bmpverzeichnis;
    summary.storageFolder = storage.isEmpty()        ? StorageFolderState::Empty
                            : PathExists(storage, 2) ? StorageFolderState::Present
                                                     : StorageFolderState::Missing;
    settings.PictureFolders = listedFolders;
    BuildPictureList(settings, list);
    summary.count = qsizetype(list.size());
    summary.countLabel = QStringLiteral("Anzahl Bilder: ") + QString::number(summary.count);
    return summary;
}

#pragma once

#include "app/Settings.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// One picture file found in the picture folders.
struct PictureEntry {
    QString path; // folder followed by the file name
    // Last change, local time, whole seconds. Null until the list is first put in date order: reading
    // it costs a stat per file, which would dominate every walk.
    QDateTime modified;
};

// The pictures the wallpaper changes cycle through; position i of the user's numbering is index i - 1.
using PictureList = std::vector<PictureEntry>;

// The program's one list.
PictureList& Pictures();

// The name patterns of the switched-on formats, in the fixed order jpg, bmp, tif, pcx, png, gif.
QStringList PatternList(const Settings::Misc& misc);

// Sorts settings.PictureFolders, walks them in that order and orders the result by reihenfolge.
void BuildPictureList(Settings& settings, PictureList& list);

// How the main window shows the storage folder.
enum class StorageFolderState { Empty, Present, Missing };

// What the main window shows after a refresh.
struct PictureListSummary {
    qsizetype count = 0;
    QString countLabel; // "Anzahl Bilder: <count>"
    StorageFolderState storageFolder = StorageFolderState::Empty;
};

// Takes the folders as the main window's list shows them, rebuilds the list and reports the
// window's new labels.
PictureListSummary RefreshPictureList(Settings& settings, const QStringList& listedFolders,
                                      PictureList& list);

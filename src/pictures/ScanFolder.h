#pragma once

#include "pictures/PictureList.h"

#include <QString>
#include <QStringList>

// Appends the regular files of `folder` whose names match one of `patterns` ("*" stands for
// any run of characters; letter case is ignored) to `list`, in the order the file system returns them.
// When `recursive` is set, subfolders are walked depth-first where they are met, except those whose
// name begins with "."; symbolic links are followed, but no directory is entered twice within one
// call, so link loops end. Folders that cannot be read contribute nothing; whether a file can be read
// shows only when it is composed. The folders are read on all cores; the order stays that of a walk
// on one.
void ScanFolder(const QString& folder, const QStringList& patterns, bool recursive, PictureList& list);

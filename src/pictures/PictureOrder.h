#pragma once

#include "pictures/PictureList.h"

#include <QStringList>

// Values of reihenfolge.
enum PictureOrderMode { OrderNone = 0, OrderByName = 1, OrderByDate = 2, OrderRandom = 5 };

// Reorders the list in place: by lower-case path (code points), by modification time (read for the
// entries that have none yet; unknown times sort first), or at random
// (a fresh clock seed each call). OrderNone and unknown modes keep the current order. Name and date
// order use a gapped insertion sort whose gap sequence fixes the order of equal keys.
void SortPictures(PictureList& list, int mode);

// Sorts the folders in place, case-sensitively by code points, with the same gapped insertion sort.
void SortFolderNames(QStringList& folders);

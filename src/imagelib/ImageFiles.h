#pragma once

#include "imagelib/ImageBuffer.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

// The program's wrappers around the image library (which must be loaded, see ImageLibrary.h).
// Each raises an ImageError naming the failing library step.

// Reads and decodes the picture at `path`.
// Raises 1000 + code with "IS_OpenFileSource" or "IS_ReadImage".
ImageBuffer ReadImage(const QString& path);

// What a picture is scaled to as it is read: the whole result's size, and the part of that which is
// made.
struct ReadScaling {
    QSize size;
    QRect part;
};

// Like ReadImage, but scaled as `scaling` says for the picture's full size (as shown); with no valid
// size, the picture as it is. A JPEG's size comes from its header, and it is decoded and scaled in one
// go, in the time and memory of the part. Raises as ReadImage and ResizeImage do, and 1000 + code with
// "IS_ReadImageResized".
ImageBuffer ReadImage(const QString& path, const std::function<ReadScaling(QSize)>& scaling);

// Writes `image` as a 24-bit BMP that replaces the file at `path` in one step.
// Raises 1000 + code with "IS_OpenFileDest" or "IS_WriteBMP".
void WriteImage(const QString& path, const ImageBuffer& image);

// A new width2 x height2 copy of `source`, scaled with the library's high-quality filter (copied
// as is when the size is the same), or only the part `part` of that copy, made without the rest.
// Raises 1000 with "GlobalAlloc" when the block cannot be had, 1000 + code with
// "IS_ResizeImagePart" when scaling fails (as for a part that is not inside width2 x height2).
ImageBuffer ResizeImage(const ImageBuffer& source, int32_t width2, int32_t height2);
ImageBuffer ResizeImage(const ImageBuffer& source, int32_t width2, int32_t height2, const QRect& part);

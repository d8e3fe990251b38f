#include "imagelib/ImageFiles.h"

#include "imagelib/ImageError.h"
#include "imagelib/ImageLibrary.h"

#include <QFile>
#include <memory>
#include <optional>

namespace {

constexpr int kErrorBase = 1000;

[[noreturn]] void raise(const char* wrapper, const char* step, int32_t code) {
    throw ImageError(kErrorBase + code, wrapper, step);
}

// A fresh buffer for a result of `size`; raises 1000 with "GlobalAlloc" when it cannot be had.
ImageBuffer allocate(QSize size, const char* wrapper) {
    ImageBuffer result = ImageBuffer::Allocate(size.width(), size.height());
    if (result.empty() && !size.isEmpty()) throw ImageError(kErrorBase, wrapper, "GlobalAlloc");
    return result;
}

// The library's form of a rectangle: right and bottom exclusive.
IS40_RECT toRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

ImageBuffer ReadImage(const QString& path) {
    return ReadImage(path, {});
}

ImageBuffer ReadImage(const QString& path, const std::function<ReadScaling(QSize)>& scaling) {
    const ImageLibraryFunctions& is = Library().fn();
    const IS40_SOURCE source = is.IS40_OpenFileSource(QFile::encodeName(path).constData());
    if (source == 0) raise("ReadImage", "IS_OpenFileSource", is.IS40_GetLastError());
    const std::unique_ptr<void, void (*)(void*)> closing(reinterpret_cast<void*>(source), [](void* s) {
        Library().fn().IS40_CloseSource(reinterpret_cast<IS40_SOURCE>(s));
    });
    int32_t width = 0, height = 0;
    std::optional<ReadScaling> scaled;
    if (scaling && is.IS40_ReadImageSize(source, &width, &height) == 1) {
        scaled = scaling(QSize(width, height));
        if (const QRect part = scaled->part; scaled->size.isValid()) {
            ImageBuffer result = allocate(part.size(), "ReadImage");
            const IS40_RECT rect = toRect(part);
            if (is.IS40_ReadImageResized(source, scaled->size.width(), scaled->size.height(), result.data(),
                                         result.stride(), &rect) != 1)
                raise("ReadImage", "IS_ReadImageResized", is.IS40_GetLastError());
            return result;
        }
    }
    uint8_t* pixels = is.IS40_ReadImage(source, &width, &height, 0, 0);
    ImageBuffer image(pixels, width, height);
    if (image.empty()) raise("ReadImage", "IS_ReadImage", is.IS40_GetLastError());
    if (scaling && !scaled) scaled = scaling(QSize(width, height));
    if (!scaled || !scaled->size.isValid()) return image;
    return ResizeImage(image, scaled->size.width(), scaled->size.height(), scaled->part);
}

void WriteImage(const QString& path, const ImageBuffer& image) {
    const ImageLibraryFunctions& is = Library().fn();
    const IS40_DEST dest = is.IS40_OpenFileDest(QFile::encodeName(path).constData(), 0);
    if (dest == 0) raise("WriteImage", "IS_OpenFileDest", is.IS40_GetLastError());
    const int32_t written =
        is.IS40_WriteBMP(dest, image.data(), image.width(), image.height(), 24, image.stride(), 0, 0, 0, 0);
    const int32_t code = is.IS40_GetLastError();
    is.IS40_CloseDest(dest);
    if (written == 0) raise("WriteImage", "IS_WriteBMP", code);
}

ImageBuffer ResizeImage(const ImageBuffer& source, int32_t width2, int32_t height2) {
    return ResizeImage(source, width2, height2, QRect(0, 0, width2, height2));
}

ImageBuffer ResizeImage(const ImageBuffer& source, int32_t width2, int32_t height2, const QRect& part) {
    ImageBuffer result = allocate(part.size(), "ResizeImage");
    const IS40_RECT rect = toRect(part);
    const ImageLibraryFunctions& is = Library().fn();
    if (is.IS40_ResizeImagePart(source.data(), source.width(), source.height(), source.stride(),
                                result.data(), width2, height2, result.stride(), &rect, 3,
                                IS40_RESIZE_LANCZOS, 0) != 1)
        raise("ResizeImage", "IS_ResizeImagePart", is.IS40_GetLastError());
    return result;
}

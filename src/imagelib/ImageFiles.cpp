#include "imagelib/ImageFiles.h"

#include "imagelib/ImageError.h"
#include "imagelib/ImageLibrary.h"

#include <QFile>

namespace {

constexpr int kErrorBase = 1000;

[[noreturn]] void raise(const char* wrapper, const char* step, int32_t code) {
    throw ImageError(kErrorBase + code, wrapper, step);
}

} // namespace

ImageBuffer ReadImage(const QString& path) {
    return ReadImage(path, {}).picture;
}

DecodedPicture ReadImage(const QString& path, const std::function<QSize(QSize)>& needed) {
    const ImageLibraryFunctions& is = Library().fn();
    const IS40_SOURCE source = is.IS40_OpenFileSource(QFile::encodeName(path).constData());
    if (source == 0) raise("ReadImage", "IS_OpenFileSource", is.IS40_GetLastError());
    int32_t width = 0, height = 0;
    QSize full, smallest;
    if (needed && is.IS40_ReadImageSize(source, &width, &height) == 1)
        smallest = needed(full = QSize(width, height));
    uint8_t* pixels = is.IS40_ReadImage(source, &width, &height, smallest.isValid() ? smallest.width() : 0,
                                        smallest.isValid() ? smallest.height() : 0);
    ImageBuffer image(pixels, width, height);
    const int32_t code = is.IS40_GetLastError();
    is.IS40_CloseSource(source);
    if (image.empty()) raise("ReadImage", "IS_ReadImage", code);
    return {std::move(image), full.isValid() ? full : QSize(width, height)};
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
    ImageBuffer result = ImageBuffer::Allocate(part.width(), part.height());
    if (result.empty() && !part.isEmpty()) throw ImageError(kErrorBase, "ResizeImage", "GlobalAlloc");
    const IS40_RECT rect{part.left(), part.top(), part.left() + part.width(), part.top() + part.height()};
    const ImageLibraryFunctions& is = Library().fn();
    if (is.IS40_ResizeImagePart(source.data(), source.width(), source.height(), source.stride(),
                                result.data(), width2, height2, result.stride(), &rect, 3,
                                IS40_RESIZE_LANCZOS, 0) != 1)
        raise("ResizeImage", "IS_ResizeImagePart", is.IS40_GetLastError());
    return result;
}

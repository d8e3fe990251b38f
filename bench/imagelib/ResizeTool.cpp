// The whole job of the benchmark script, as one process: read a picture, scale it, write a BMP.
//   imagelib_resize IN OUT.bmp WIDTH HEIGHT [MODE]   MODE 16 (default) or 14
//   imagelib_resize --make-photo OUT.jpg WIDTH HEIGHT
#include "Photo.h"
#include "imagelib/ImageError.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc == 5 && QByteArray(argv[1]) == "--make-photo")
        return MakePhoto(atoi(argv[3]), atoi(argv[4])).save(argv[2], "JPG", 90) ? 0 : 1;
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s IN OUT.bmp WIDTH HEIGHT [MODE]\n", argv[0]);
        return 2;
    }
    const QString error = Library().load({VELOMIRA_LIBRARY_DIR});
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const int32_t width = atoi(argv[3]), height = atoi(argv[4]);
    const int32_t mode = argc == 6 ? atoi(argv[5]) : IS40_RESIZE_LANCZOS;
    try {
        const ImageBuffer picture = ReadImage(QString::fromLocal8Bit(argv[1]));
        ImageBuffer scaled = ImageBuffer::Allocate(width, height);
        if (Library().fn().IS40_ResizeImage(picture.data(), picture.width(), picture.height(),
                                            picture.stride(), scaled.data(), width, height, scaled.stride(),
                                            3, mode, 0) != 1)
            throw ImageError(1000 + Library().fn().IS40_GetLastError(), "main", "IS_ResizeImage");
        WriteImage(QString::fromLocal8Bit(argv[2]), scaled);
    } catch (const ImageError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

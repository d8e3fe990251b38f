// Decoding a 6000 x 4000 JPEG and scaling it, step by step, each step beside its alternative:
// Qt's JPEG reader (4-byte pixels, then converted) against the library's direct libjpeg decode.
#include "Photo.h"
#include "imagelib/ImageFiles.h"
#include "imagelib/ImageLibrary.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

QString photoPath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath("photo.jpg");
        MakePhoto(6000, 4000).save(p, "JPG", 90);
        return p;
    }();
    return path;
}

void QtReaderInto24Bit(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(photoPath());
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB888);
        ImageBuffer out = ImageBuffer::Allocate(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(out.data() + y * out.stride(), image.constScanLine(y), size_t(out.stride()));
        benchmark::DoNotOptimize(out.data());
    }
}

void LibraryReadImage(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadImage(photoPath()).data());
}

void Resize(benchmark::State& state) {
    const ImageBuffer photo = ReadImage(photoPath());
    const int32_t width = int32_t(state.range(0)), height = int32_t(state.range(1)),
                  mode = int32_t(state.range(2));
    ImageBuffer out = ImageBuffer::Allocate(width, height);
    for (auto _ : state)
        Library().fn().IS40_ResizeImage(photo.data(), photo.width(), photo.height(), photo.stride(),
                                        out.data(), width, height, out.stride(), 3, mode, 0);
}

} // namespace

BENCHMARK(QtReaderInto24Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibraryReadImage)->Unit(benchmark::kMillisecond)->UseRealTime();
// Whole resizes, then each pass alone (3840x4000: horizontal only, 6000x2560: vertical only), then
// the 1x1 mean colour.
BENCHMARK(Resize)
    ->Args({3840, 2560, IS40_RESIZE_LANCZOS})
    ->Args({1920, 1280, IS40_RESIZE_LANCZOS})
    ->Args({3840, 4000, IS40_RESIZE_LANCZOS})
    ->Args({6000, 2560, IS40_RESIZE_LANCZOS})
    ->Args({1, 1, IS40_RESIZE_AREA})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (!Library().load({VELOMIRA_LIBRARY_DIR}).isEmpty()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

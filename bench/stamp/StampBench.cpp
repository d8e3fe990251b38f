// What the text stamp adds to a 3840 x 2160 composition. Run with QT_QPA_PLATFORM=offscreen.
#include "compose/Placeholders.h"
#include "compose/TextStamp.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageLibrary.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kWidth = 3840, kHeight = 2160;
const QString kText = "Bild %n vom %d %e272";

struct Canvas {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(kWidth) * kHeight * 3, 90);
};

bool LoadLibrary() {
    static const bool loaded = Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}).isEmpty();
    return loaded;
}

// A photo without EXIF data is the worst case for %e: the library parses the whole file to find none.
QString Photo(const QTemporaryDir& dir) {
    QImage photo(1600, 1200, QImage::Format_RGB888);
    photo.fill(Qt::darkGreen);
    const QString path = dir.filePath("Hund.jpg");
    photo.save(path, "JPEG");
    return path;
}

void ExpandPlaceholders(benchmark::State& state) {
    if (!LoadLibrary()) return state.SkipWithError("library not loaded");
    const QTemporaryDir dir;
    const QString path = Photo(dir);
    const PathParts parts = SplitPath(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandPlaceholders(kText, path, parts));
}

// arg 0: upright; 1: with readable colour, box and frame; 2: turned a quarter.
void RenderStamp(benchmark::State& state) {
    if (!LoadLibrary()) return state.SkipWithError("library not loaded");
    Canvas canvas;
    Settings::Textstempel style;
    style.position = 9;
    style.offsetx = style.offsety = -10;
    style.hoehe = 32;
    StampBackdrop backdrop;
    if (state.range(0) == 1) {
        style.farbelesbar = 1;
        backdrop = {0x000000, 50, 0xffffff};
    }
    style.richtung = state.range(0) == 2 ? 1 : 0;
    const WorkingImageScope scope(canvas.pixels.data(), kWidth, kHeight);
    for (auto _ : state)
        RenderTextStamp("Bild Hund vom 03.02.2009 Kamera X1", style, backdrop);
}

// The floor: Qt drawing the text straight onto the canvas.
void BareQtText(benchmark::State& state) {
    if (!LoadLibrary()) return state.SkipWithError("library not loaded");
    Canvas canvas;
    QImage image(canvas.pixels.data(), kWidth, kHeight, kWidth * 3, QImage::Format_RGB888);
    QFont font("Arial");
    font.setPixelSize(29);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(3400, 2130), "Bild Hund vom 03.02.2009 Kamera X1");
    }
}

} // namespace

BENCHMARK(ExpandPlaceholders)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderStamp)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BareQtText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

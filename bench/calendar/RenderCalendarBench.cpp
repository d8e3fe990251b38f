// What the calendar adds to a 3840 x 2160 wallpaper: RenderCalendar with every part switched on
// (three months, holidays, school holidays, garbage days, appointments, moon phases, background and
// frame), at the default sizes and at sizes fit for such a screen, beside the data load alone that
// every drawing starts with.
#include "app/Clock.h"
#include "calendar/CalendarData.h"
#include "calendar/RenderCalendar.h"
#include "compose/WorkingImage.h"
#include "imagelib/ImageLibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kWidth = 3840, kHeight = 2160;

QByteArray DataFile() {
    QFile shipped(VELOMIRA_SOURCE_DIR "/data/Velomira.cfg");
    QByteArray text = shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : QByteArray();
    text +=
        "ferienland;NW;#00A000\nferienland;BY;&h00A0FF\n"
        "ferien;22.12.2025;06.01.2026;Weihnachtsferien;NW\nferien;22.12.2025;05.01.2026;Weihnachtsferien;BY\n"
        "ferien;30.03.2026;11.04.2026;Osterferien;NW\nferien;30.03.2026;10.04.2026;Osterferien;BY\n";
    for (int day = 2; day <= 28; day += 7)
        for (int month = 1; month <= 12; ++month) {
            const QByteArray date = QByteArray::number(day) + "." + QByteArray::number(month) + ".2026";
            text += "müll;" + date + ";Restmüll;#808080\nmüll;" + date + ";Papier;#0000FF\n";
            text += "termin;" + date + ";Termin am " + date + "\n";
        }
    text += "termin;17.03.1970;Anna;geburtstag\ntermin;05.01.2026;Chorprobe;wöchentlich\n";
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    Settings::Kalender k;
    std::vector<uint8_t> canvas = std::vector<uint8_t>(size_t(kWidth) * kHeight * 3, 90);

    explicit Fixture(int scale) {
        Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"});
        SetClock([] { return QDateTime(QDate(2026, 3, 17), QTime(12, 0)); });
        k.datendatei = dir.filePath("Velomira.cfg");
        QFile file(k.datendatei);
        if (file.open(QIODevice::WriteOnly)) file.write(DataFile());
        k.position = 9;
        k.offsetx = k.offsety = -40;
        k.vormonat = k.folgemonat = k.müll = k.ferien = k.ferienlegende = k.termine = k.mondphasen = 1;
        k.rahmen = k.hintergrund = 1;
        k.ferienländer = "NW;BY";
        k.spaltenbreite *= scale;
        k.zeilenhöhe *= scale;
        k.monathoehe *= scale;
        k.tagehoehe *= scale;
        k.wochenhoehe *= scale;
        k.terminehoehe *= scale;
    }
};

void DrawCalendar(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    const WorkingImageScope scope(fixture.canvas.data(), kWidth, kHeight);
    for (auto _ : state) {
        RenderCalendar(fixture.k);
        benchmark::ClobberMemory();
    }
}

void LoadDataOnly(benchmark::State& state) {
    Fixture fixture(1);
    for (auto _ : state) {
        const CalendarData data = LoadCalendarData(2026, fixture.k);
        benchmark::DoNotOptimize(data.MoonPhases.data());
    }
}

} // namespace

BENCHMARK(DrawCalendar)->ArgName("scale")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDataOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

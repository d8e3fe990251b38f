// One calendar drawing's data load: the shipped holidays plus garbage days, school holidays and
// appointments of every kind, 200 lines in all, with both neighbouring months and the moon phases on.
#include "calendar/CalendarData.h"
#include "calendar/CalendarFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 200;

QByteArray DataFile() {
    QFile shipped(VELOMIRA_SOURCE_DIR "/data/Velomira.cfg");
    QByteArray text = shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : QByteArray();
    text += "ferienland;NW;#00A000\nferienland;BY;&h00A0FF\n";
    const char* kinds[] = {"geburtstag", "jährlich", "monatlich", "wöchentlich", "einmal"};
    for (int i = 0; text.count('\n') < kLines; ++i) {
        const QByteArray day = QByteArray::number(i % 28 + 1) + "." + QByteArray::number(i % 12 + 1) + ".";
        switch (i % 3) {
        case 0:
            text += "müll;" + day + "2026;Restmüll " + QByteArray::number(i) + ";#808080\n";
            break;
        case 1:
            text += "ferien;" + day + "2026;" + day + "2026;Ferien;" + (i % 2 ? "NW" : "BY") + "\n";
            break;
        default:
            text += "termin;" + day + QByteArray::number(1950 + i % 76) + ";Termin " + QByteArray::number(i) +
                    ";" + kinds[i % 5] + "\n";
        }
    }
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    Settings::Kalender kalender;
    Fixture() {
        kalender.datendatei = dir.filePath("Velomira.cfg");
        kalender.vormonat = kalender.folgemonat = 1;
        kalender.müll = kalender.ferien = kalender.termine = kalender.mondphasen = 1;
        QFile file(kalender.datendatei);
        if (file.open(QIODevice::WriteOnly)) file.write(DataFile());
    }
};

void LoadCalendar(benchmark::State& state) {
    const Fixture fixture;
    for (auto _ : state) {
        const CalendarData data = LoadCalendarData(2026, fixture.kalender);
        benchmark::DoNotOptimize(data.MoonPhases.data());
        state.counters["holidays"] = double(data.Holidays.size());
        state.counters["appointments"] = double(data.Appointments.size());
        state.counters["moonphases"] = double(data.MoonPhases.size());
    }
}

// The floor: reading, decoding and splitting the same file without interpreting it.
void ReadFileOnly(benchmark::State& state) {
    const Fixture fixture;
    for (auto _ : state) {
        const QStringList lines = SplitCalendarLines(
            DecodeCalendarText(ReadCalendarFile(fixture.kalender.datendatei).value_or("")));
        benchmark::DoNotOptimize(lines.size());
    }
}

} // namespace

BENCHMARK(LoadCalendar)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(ReadFileOnly)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();

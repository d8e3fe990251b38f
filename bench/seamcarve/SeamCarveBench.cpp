// Times our seam carving against ImageMagick's -liquid-rescale (liblqr) on the same photo-like
// pictures in the same run and prints the ratios. Outputs are saved as PNG beside the inputs.
//
//   seamcarve_bench [--runs N] [--peer-runs N] [--steps] [--no-peer] [--job NAME]
//
// --steps also times the speed-ups one by one (one seam per pass on one core, two cores, several
// seams per pass). Peak memory of one job: /usr/bin/time -v seamcarve_bench --no-peer --job NAME.
// The job "circles" narrows two textured circles on a smooth sky by a third and measures how round
// they stay, in our result and in ImageMagick's.
#include "BenchPictures.h"
#include "CircleCheck.h"
#include "SeamApply.h"
#include "VelomiraISE.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using velomira::carve::CarveOptions;

struct Job {
    const char* name;
    int width;
    int height;
    int target;
    bool (*make)(const QString& path, int width, int height);
    const char* picture;
};
// The first three are the fit-mode cases that matter most; at exactly twice the width every column is
// a seam, so "widen-part" shows widening with a real choice of seams.
constexpr Job kJobs[] = {{"widen", 1620, 2160, 3240, MakeLandscape, "photo"},
                         {"narrow", 4000, 2160, 3840, MakeLandscape, "photo"},
                         {"narrow-third", 3240, 2160, 2160, MakeLandscape, "photo"},
                         {"widen-part", 3240, 2160, 3840, MakeLandscape, "photo"},
                         {"circles", 3000, 2000, 2000, MakeCircles, "circles"}};

struct Args {
    int runs = 5;
    int peerRuns = 3;
    bool steps = false;
    bool peer = true;
    QString job;
};

Args Parse(int argc, char** argv) {
    Args args;
    for (int i = 1; i < argc; ++i) {
        const QString arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue)
            args.runs = std::max(1, atoi(argv[++i]));
        else if (arg == "--peer-runs" && hasValue)
            args.peerRuns = std::max(1, atoi(argv[++i]));
        else if (arg == "--steps")
            args.steps = true;
        else if (arg == "--no-peer")
            args.peer = false;
        else if (arg == "--job" && hasValue)
            args.job = argv[++i];
    }
    return args;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Output {
    std::vector<uint8_t> pixels;
    int width;
    int height;
    QImage image() const { return QImage(pixels.data(), width, height, 3 * width, QImage::Format_RGB888); }
};

// The exported function, as the program calls it.
double CarveExported(const QImage& in, Output& out) {
    out.pixels.assign(size_t(3) * out.width * out.height, 0);
    QElapsedTimer timer;
    timer.start();
    const int ok = ISE40_SeamCarve(in.constBits(), in.width(), in.height(), 3, int(in.bytesPerLine()), 0, 0,
                                   out.pixels.data(), 3 * out.width, out.width - in.width() + 1, 1000, 1);
    const double seconds = timer.nsecsElapsed() / 1e9;
    return ok == 1 ? seconds : -1;
}

double CarveWith(const QImage& in, Output& out, const CarveOptions& options) {
    out.pixels.assign(size_t(3) * out.width * out.height, 0);
    QElapsedTimer timer;
    timer.start();
    velomira::carve::CarveToWidth({in.constBits(), in.width(), in.height(), size_t(in.bytesPerLine())},
                                  {out.pixels.data(), out.width, out.height, size_t(3) * out.width}, options);
    return timer.nsecsElapsed() / 1e9;
}

QImage LoadInput(const QString& folder, const Job& job) {
    const QString path = QString("%1/%2-%3x%4.png").arg(folder, job.picture).arg(job.width).arg(job.height);
    if (!QFile::exists(path)) {
        std::printf("making %s ...\n", qPrintable(path));
        std::fflush(stdout);
        if (!job.make(path, job.width, job.height)) return {};
    }
    return QImage(path).convertToFormat(QImage::Format_RGB888);
}

QString PeerOutput(const QString& folder, const Job& job) {
    return QString("%1/%2-peer.png").arg(folder, job.name);
}

void PrintCircles(const char* whose, const QVector<QSize>& shapes) {
    std::printf("  %s:", whose);
    for (const QSize& shape : shapes)
        std::printf(" %dx%d (%.3f)", shape.width(), shape.height(), double(shape.width()) / shape.height());
    std::printf(" - %s\n", AreTwoCircles(shapes) ? "two circles" : "NOT two circles");
}

// ImageMagick reads and writes PPM here, the cheapest formats for it; its time for only reading and
// writing is measured too and reported beside the carving.
struct PeerTimes {
    double total = -1;
    double io = -1;
};

PeerTimes TimePeer(const QString& folder, const Job& job, const QImage& in, int runs) {
    const QString input = QString("%1/%2-in.ppm").arg(folder, job.name);
    const QString output = QString("%1/%2-peer.ppm").arg(folder, job.name);
    in.save(input);
    const QString geometry = QString("%1x%2!").arg(job.target).arg(job.height);
    std::vector<double> total, io;
    for (int i = 0; i < runs; ++i) {
        io.push_back(RunConvert({input, output}));
        total.push_back(RunConvert({input, "-liquid-rescale", geometry, output}));
    }
    RunConvert({output, PeerOutput(folder, job)});
    QFile::remove(input);
    QFile::remove(output);
    if (*std::min_element(total.begin(), total.end()) < 0) return {};
    return {Median(total), Median(io)};
}

void TimeSteps(const QString& folder, const QImage& in, const Job& job) {
    struct Step {
        const char* name;
        CarveOptions options;
    };
    const Step steps[] = {{"one seam per pass, one core", {0, false}},
                          {"one seam per pass, two cores", {0, true}},
                          {"several seams per pass, one core", {CarveOptions{}.seamsPerPassDivisor, false}},
                          {"several seams per pass, two cores", {}}};
    for (const Step& step : steps) {
        Output out{{}, job.target, job.height};
        std::printf("  %-36s %8.3f s\n", step.name, CarveWith(in, out, step.options));
        std::fflush(stdout);
        if (&step == steps) // the classic method, for comparison with the fast one
            out.image().save(QString("%1/%2-classic.png").arg(folder, job.name));
    }
}

} // namespace

int main(int argc, char** argv) {
    const Args args = Parse(argc, argv);
    const QString folder = VELOMIRA_BENCH_OUT;
    QDir().mkpath(folder);
    std::printf("%-13s %-11s %10s %12s %12s %8s\n", "job", "size", "ours (s)", "peer (s)", "peer io (s)",
                "ratio");
    for (const Job& job : kJobs) {
        if (!args.job.isEmpty() && args.job != job.name) continue;
        const QImage in = LoadInput(folder, job);
        if (in.isNull()) {
            std::fprintf(stderr, "%s: cannot make the input picture\n", job.name);
            return 1;
        }
        Output out{{}, job.target, job.height};
        std::vector<double> ours;
        for (int i = 0; i < args.runs; ++i)
            ours.push_back(CarveExported(in, out));
        if (*std::min_element(ours.begin(), ours.end()) < 0) {
            std::fprintf(stderr, "%s: carving failed\n", job.name);
            return 1;
        }
        out.image().save(QString("%1/%2-ours.png").arg(folder, job.name));
        const PeerTimes peer = args.peer ? TimePeer(folder, job, in, args.peerRuns) : PeerTimes{};
        const QString size = QString("%1->%2").arg(job.width).arg(job.target);
        std::printf("%-13s %-11s %10.3f %12.3f %12.3f %7.1fx\n", job.name, qPrintable(size), Median(ours),
                    peer.total, peer.io, peer.total > 0 ? peer.total / Median(ours) : 0.0);
        std::fflush(stdout);
        if (job.make == MakeCircles) {
            PrintCircles("ours", ShapesOnSky(out.image(), in));
            if (args.peer) PrintCircles("peer", ShapesOnSky(QImage(PeerOutput(folder, job)), in));
        }
        if (args.steps) TimeSteps(folder, in, job);
    }
    std::printf("outputs: %s\n", qPrintable(folder));
    return 0;
}

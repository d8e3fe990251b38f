// Composes wallpapers in one process, one after the other, and reports its resident memory: after the
// first composition, every 500 and at the end. Every fit mode and both background choices take turns;
// the text stamp and the calendar are switched on.
//   soak_compose PICTURE_FOLDER STORAGE_FOLDER COUNT WIDTHxHEIGHT
#include "compose/ComposeWallpaper.h"
#include "compose/ErrInfo.h"
#include "imagelib/ImageLibrary.h"
#include "platform/Paths.h"

#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

namespace {

long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: soak_compose PICTURE_FOLDER STORAGE_FOLDER COUNT WIDTHxHEIGHT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString storage = QString::fromLocal8Bit(argv[2]);
    const int count = atoi(argv[3]);
    const QStringList size = QString::fromLatin1(argv[4]).split('x');
    if (const QString error = Library().load(LibraryFolders()); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    ProgramState program{SettingsStore(storage + "/Velomira.ini")};
    program.ScreenWidth = size.value(0).toInt();
    program.ScreenHeight = size.value(1).toInt();
    Settings& s = program.settings;
    s.misc.bmpverzeichnis = storage;
    s.misc.jpg = s.misc.bmp = s.misc.png = s.misc.tif = s.misc.pcx = s.misc.gif = 1;
    s.PictureFolders = {QString::fromLocal8Bit(argv[1]) + "/"};
    s.textstempel.ausgeben = 1;
    s.textstempel.text = "%n %d %t";
    s.textstempel.hintergrund = 1;
    s.kalender.ausgeben = 1;
    s.kalender.vormonat = s.kalender.folgemonat = s.kalender.termine = s.kalender.ferien = 1;
    PictureList pictures;
    BuildPictureList(s, pictures);
    int failures = 0;
    SetErrInfoHandler([&](const QString&) { ++failures; });

    // Growth is judged from the 500th composition on: by then every picture has been read several times
    // and the caches (Qt's plugins and fonts, the library's threads) are filled.
    const int warmUp = std::min(500, count);
    long first = 0, warm = 0;
    for (int i = 1; i <= count; ++i) {
        s.misc.magnify = i % 5;
        s.misc.passende_farbe = i % 2;
        ComposeWallpaper(program, pictures);
        if (i == 1) first = residentKb();
        if (i == warmUp) warm = residentKb();
        if (i == 1 || i % 500 == 0 || i == count)
            std::printf("composition %5d: resident %6ld KB\n", i, residentKb());
        std::fflush(stdout);
    }
    const long end = residentKb();
    std::printf(
        "%d compositions of %zu pictures, %d refused; resident after the first %ld KB, after %d %ld KB, "
        "at the end %ld KB: %+ld KB since composition %d\n",
        count, pictures.size(), failures, first, warmUp, warm, end, end - warm, warmUp);
    return 0;
}

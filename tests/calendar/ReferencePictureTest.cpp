// `velomira --next` with the calendar on: the reference picture a person looks at, written as PNG to
// the test output folder. Today is the real date here, so the data file is written around it.
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QByteArray Day(int fromToday) {
    return QDate::currentDate().addDays(fromToday).toString("dd.MM.yyyy").toUtf8();
}

QByteArray DataFile() {
    QFile shipped(VELOMIRA_SOURCE_DIR "/data/Velomira.cfg");
    QByteArray text = shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : QByteArray();
    const QDate birthday = QDate::currentDate().addDays(2);
    text += "ferienland;NW;#00A000\nferienland;BY;&h00A0FF\n"
            "ferien;" +
            Day(-3) + ";" + Day(4) +
            ";Ferien;NW\n"
            "ferien;" +
            Day(2) + ";" + Day(20) +
            ";Ferien;BY\n"
            "müll;" +
            Day(1) + ";Papier;#0000FF\nmüll;" + Day(1) +
            ";Restmüll;#808080\n"
            "müll;" +
            Day(8) +
            ";Gelber Sack;#FFD000\n"
            "termin;" +
            Day(0) +
            ";Zahnarzt 10 Uhr\n"
            "termin;" +
            Day(0) +
            ";Paket abholen;;#0000C0\n"
            "termin;" +
            QByteArray::number(birthday.day()) + "." + QByteArray::number(birthday.month()) +
            ".1970;Anna;geburtstag\n"
            "termin;" +
            Day(-14) + ";Chorprobe;wöchentlich\n";
    return text;
}

} // namespace

TEST(ReferencePicture, NextWithTheCalendar) {
    TempDir tmp;
    QDir().mkpath(tmp.file("cfg/Korbinheim"));
    WriteFile(tmp.file("Velomira.cfg"), DataFile());
    WriteFile(tmp.file("cfg/Korbinheim/Velomira.ini"),
              ("[misc]\nmagnify=2\nreihenfolge=1\nbmpverzeichnis=" + tmp.path() +
               "\n[kalender]\nausgeben=1\nposition=9\noffsetx=-40\noffsety=-40\nvormonat=1\nfolgemonat=1\n"
               "müll=1\nferien=1\nferienlegende=1\ntermine=1\nmondphasen=1\nrahmen=1\nhintergrund=1\n"
               "hintergrunddeckkraft=70\nferienländer=NW;BY\ndatendatei=" +
               tmp.file("Velomira.cfg") + "\n[path]\n1=" VELOMIRA_SOURCE_DIR "/data/samples/\n")
                  .toUtf8());
    const ProcessResult r = RunProgram(VELOMIRA_PROGRAM, {"--next", "--size", "1920x1080"},
                                       {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"),
                                        "DISPLAY=", "WAYLAND_DISPLAY=", "XDG_CURRENT_DESKTOP="});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage wallpaper = QImage(tmp.file("Velomira.bmp")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(wallpaper.size(), QSize(1920, 1080));
    wallpaper.save(VELOMIRA_TEST_OUTPUT "/calendar-reference.png");
    // The frames' right edges: one pixel right of the block, which ends 40 pixels from the screen's edge.
    int red = 0;
    for (int y = 0; y < wallpaper.height(); ++y)
        red += wallpaper.pixelColor(1920 - 40 + 1, y) == QColor(Qt::red) ? 1 : 0;
    EXPECT_GT(red, 3 * 100);
}

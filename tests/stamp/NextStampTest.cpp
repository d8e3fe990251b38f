// `velomira --next` with the text stamp on, as a user runs it: the placeholders in the settings
// reach the wallpaper expanded. The program runs on a fixed day (libfaketime).
#include "MetadataFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

TEST(NextStamp, PlaceholdersReachTheWallpaper) {
    const TempDir tmp;
    QDir().mkpath(tmp.file("Bilder"));
    QDir().mkpath(tmp.file("cfg/Korbinheim"));
    WriteJpegWithMetadata(tmp.file("Bilder/Hund.jpg"), {.exif = {{"Exif.Image.Model", "Kamera X1"}}},
                          {640, 360});
    const auto compose = [&](const QString& text) {
        WriteFile(
            tmp.file("cfg/Korbinheim/Velomira.ini"),
            ("[misc]\nbmpverzeichnis=" + tmp.path() + "\npassende_farbe=0\n[path]\n1=" + tmp.file("Bilder/") +
             "\n[textstempel]\nausgeben=1\nhoehe=24\nhintergrund=1\nhintergrunddeckkraft=40\ntext=" + text +
             "\n")
                .toUtf8());
        const ProcessResult r = RunProgram(
            VELOMIRA_PROGRAM, {"--next", "--size", "640x360"},
            {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"),
             "DISPLAY=", "WAYLAND_DISPLAY=", "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
             "FAKETIME=@2024-12-11 12:00:00",
             "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(tmp.file("Velomira.bmp")).convertToFormat(QImage::Format_RGB888);
    };
    const QImage stamped = compose("Bild %n vom %d %e272");
    ASSERT_EQ(stamped.size(), QSize(640, 360));
    EXPECT_EQ(stamped, compose("Bild Hund vom 11.12.2024 Kamera X1"));
    const QImage corner = stamped.copy(0, 0, 420, 56);
    EXPECT_NE(corner,
              QImage(tmp.file("Bilder/Hund.jpg")).convertToFormat(QImage::Format_RGB888).copy(0, 0, 420, 56));
    corner.save(VELOMIRA_TEST_OUTPUT "/stamp-corner.png");
}

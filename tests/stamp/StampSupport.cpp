#include "StampSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <memory>

Canvas::Canvas(int w, int h, QColor fill) : width(w), height(h), pixels(size_t(w) * size_t(h) * 3) {
    for (size_t i = 0; i < pixels.size(); i += 3)
        pixels[i] = uint8_t(fill.red()), pixels[i + 1] = uint8_t(fill.green()),
        pixels[i + 2] = uint8_t(fill.blue());
}

QColor Canvas::at(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return QColor(p[0], p[1], p[2]);
}

QRect Canvas::changed(QColor background) const {
    QRect box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) != background) box |= QRect(x, y, 1, 1);
    return box;
}

ProcessResult RunNext(const TempDir& tmp, const QString& size, const QByteArray& ini) {
    QDir().mkpath(tmp.file("cfg/Korbinheim"));
    WriteFile(tmp.file("cfg/Korbinheim/Velomira.ini"), ini);
    return RunProgram(VELOMIRA_PROGRAM, {"--next", "--size", size},
                      {"HOME=" + tmp.path(), "XDG_CONFIG_HOME=" + tmp.file("cfg"),
                       "DISPLAY=", "WAYLAND_DISPLAY=", "XDG_CURRENT_DESKTOP=",
                       "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                       "FAKETIME=@2024-12-11 12:00:00",
                       "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0"});
}

namespace {

// Fonts need an application object; made here so that it, and the fontconfig data Qt holds, is
// gone before the leak check at exit.
struct GuiApplication : ::testing::Environment {
    int argc = 1;
    char name[11] = "test_stamp", *argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    void SetUp() override { app = std::make_unique<QGuiApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiApplication);

} // namespace

#include "StampSupport.h"

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

QImage Canvas::image() const {
    return QImage(pixels.data(), width, height, width * 3, QImage::Format_RGB888).copy();
}

QRect Canvas::changed(QColor background) const {
    QRect box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) != background) box |= QRect(x, y, 1, 1);
    return box;
}

namespace {

// Fonts need an application object; made here so that it, and the fontconfig data Qt holds, is
// gone before the leak check at exit.
struct GuiApplication : ::testing::Environment {
    int argc = 1;
    char name[11] = "test_stamp";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    void SetUp() override { app = std::make_unique<QGuiApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiApplication);

} // namespace

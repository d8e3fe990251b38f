#include "Scene.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace {

// Large enough that a composition takes a while, so that kills find it at every step.
void writePicture(const QString& path, QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB888);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, QColor(250, 180, 20));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    image.save(path, format);
}

} // namespace

Scene::Scene(const QString& root)
    : folder(root), storage(root + "/storage"), bmp(storage + "/Velomira.bmp"), config(root + "/config"),
      ini(config + "/Korbinheim/Velomira.ini") {
    QDir().mkpath(storage);
    QDir().mkpath(folder + "/pictures");
    writePicture(folder + "/pictures/a.png", {2400, 1600}, "PNG");
    writePicture(folder + "/pictures/b.bmp", {1200, 900}, "BMP");
    writePicture(folder + "/pictures/c.png", {640, 960}, "PNG");
    Settings s = Settings::defaults();
    s.misc.bmpverzeichnis = storage;
    s.PictureFolders = {folder + "/pictures/"};
    s.misc.reihenfolge = 1; // by name, so that positions name the same picture in every run
    s.misc.png = s.misc.bmp = 1;
    s.misc.passende_farbe = 0;
    SaveSettings(SettingsStore(ini), s);
}

QStringList Scene::env() const {
    return {"XDG_CONFIG_HOME=" + config, "XDG_CURRENT_DESKTOP=", "DISPLAY=", "WAYLAND_DISPLAY="};
}

QStringList Scene::nextArgs(QSize size) {
    return {"--next", "--size", QString("%1x%2").arg(size.width()).arg(size.height())};
}

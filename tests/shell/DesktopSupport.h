#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Helpers for tests on a private X server: tray hosts, finding windows, xdotool and screenshots.

// Polls `done` every 20 ms for at most `ms`, running the Qt event loop when there is one.
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);

// Runs a program on the display and returns its standard output.
QString RunOn(const QString& display, const QString& program, const QStringList& args);

// Mapped windows whose class or name matches (xdotool search --onlyvisible --class/--name).
struct WindowBox {
    QString id;
    QRect rect;
};
QList<WindowBox> VisibleWindows(const QString& display, const QString& how, const QString& pattern);

// Moves the pointer to `at` and clicks `button` (1 left, 3 right).
void Click(const QString& display, QPoint at, int button);

// The whole screen, also saved as a PNG under the test output when `name` is not empty.
QImage Screenshot(const QString& display, const QString& name = {});

// The bounding box of the pixels close to `colour` (each channel within 24), empty when none.
QRect FindColour(const QImage& image, QColor colour);

// A long-running helper process, ended when the object goes. `env` is applied in order: "NAME=value"
// sets, "NAME=" removes.
class Background {
public:
    Background(const QString& program, const QStringList& args, const QStringList& env,
               const QString& workDir = {});
    ~Background() { terminate(); }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    // Sends SIGTERM and waits for the end; the exit code, or -1 when it crashed or did not end.
    int terminate();
    int waitForExit(int ms);

private:
    QProcess process_;
};

// The XEmbed tray host trayer on the display, ready when constructed (ready() false otherwise).
class Trayer {
public:
    explicit Trayer(const QString& display);
    bool ready() const { return ready_; }
    // The mapped window of the class `windowClass` inside the tray, once it holds still at the size
    // the tray gave it; none after 10 s.
    std::optional<WindowBox> embeddedIcon(const QString& windowClass) const;

private:
    Background process_;
    QString display_;
    bool ready_ = false;
};

// xfce4-panel with only its status tray, on the display and the D-Bus session bus `bus`, with its
// configuration under `configHome`. Ready when the StatusNotifierItem watcher is on the bus.
class SniPanel {
public:
    SniPanel(const QString& display, const QString& bus, const QString& configHome);
    bool ready() const { return ready_; }

private:
    static QStringList prepare(const QString& display, const QString& bus, const QString& configHome);
    Background process_;
    bool ready_ = false;
};

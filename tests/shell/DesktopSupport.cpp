#include "DesktopSupport.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>

bool WaitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done()) return true;
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return done();
}

QString RunOn(const QString& display, const QString& program, const QStringList& args) {
    return RunProgram(program, args, {"DISPLAY=" + display}).out.trimmed();
}

QList<WindowBox> VisibleWindows(const QString& display, const QString& how, const QString& pattern) {
    QList<WindowBox> windows;
    const QString ids = RunOn(display, "xdotool", {"search", "--onlyvisible", how, pattern});
    for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
        // --shell prints WINDOW=, X=, Y=, WIDTH=, HEIGHT= lines.
        QMap<QString, int> v;
        for (const QString& line :
             RunOn(display, "xdotool", {"getwindowgeometry", "--shell", id}).split('\n'))
            v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        windows.append({id, QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"])});
    }
    return windows;
}

void Click(const QString& display, QPoint at, int button) {
    RunOn(display, "xdotool",
          {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", QString::number(button)});
}

QImage Screenshot(const QString& display, const QString& name) {
    TempDir dir;
    const QString file = dir.file("shot.png");
    RunProgram("import", {"-window", "root", file}, {"DISPLAY=" + display});
    QImage image(file);
    if (!name.isEmpty() && !image.isNull()) image.save(QString(VELOMIRA_TEST_OUTPUT) + "/" + name);
    return image;
}

QRect FindColour(const QImage& image, QColor colour) {
    QRect box;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor c = rgb.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= 24 && std::abs(c.green() - colour.green()) <= 24 &&
                std::abs(c.blue() - colour.blue()) <= 24)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

Background::Background(const QString& program, const QStringList& args, const QStringList& env,
                       const QString& workDir) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env) {
        if (kv.endsWith('='))
            e.remove(kv.chopped(1)); // "NAME=" removes the variable
        else
            e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    }
    process_.setProcessEnvironment(e);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    if (!workDir.isEmpty()) process_.setWorkingDirectory(workDir);
    process_.start(program, args);
    process_.waitForStarted();
}

Background::~Background() {
    if (process_.state() != QProcess::NotRunning) terminate();
}

int Background::terminate() {
    if (process_.state() == QProcess::NotRunning) return waitForExit(0);
    ::kill(pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished();
        return -1;
    }
    return waitForExit(0);
}

int Background::waitForExit(int ms) {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(ms)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

Trayer::Trayer(const QString& display)
    : process_("trayer",
               {"--edge", "top", "--align", "left", "--widthtype", "pixel", "--width", "200", "--heighttype",
                "pixel", "--height", "40", "--SetDockType", "false", "--SetPartialStrut", "false",
                "--transparent", "false"},
               {"DISPLAY=" + display}) {
    ready_ = WaitUntil([&] {
        return RunOn(display, "xwininfo", {"-root", "-tree"}).contains("(\"panel\" \"trayer\")");
    });
}

QStringList SniPanel::prepare(const QString& display, const QString& bus, const QString& configHome) {
    // A preset panel with only the status tray, so that no first-run dialog asks for a layout.
    const QString channel = configHome + "/xfce4/xfconf/xfce-perchannel-xml";
    QDir().mkpath(channel);
    QFile::copy(VELOMIRA_SOURCE_DIR "/tests/shell/xfce4-panel.xml", channel + "/xfce4-panel.xml");
    return {"DISPLAY=" + display, "DBUS_SESSION_BUS_ADDRESS=" + bus, "XDG_CONFIG_HOME=" + configHome,
            "NO_AT_BRIDGE=1"};
}

SniPanel::SniPanel(const QString& display, const QString& bus, const QString& configHome)
    : process_("xfce4-panel", {"--disable-wm-check"}, prepare(display, bus, configHome)) {
    ready_ = WaitUntil(
        [&] {
            return RunProgram("dbus-send",
                              {"--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
                               "org.freedesktop.DBus.NameHasOwner", "string:org.kde.StatusNotifierWatcher"},
                              {"DBUS_SESSION_BUS_ADDRESS=" + bus})
                .out.contains("true");
        },
        15000);
}

#include "DesktopSupport.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
    QList<WindowBox> windows; // blocks of WINDOW=, X=, Y=, WIDTH=, HEIGHT=, SCREEN= lines
    QMap<QString, int> v;
    for (const QString& line :
         RunOn(display, "xdotool",
               {"search", "--onlyvisible", how, pattern, "getwindowgeometry", "--shell", "%@"})
             .split('\n')) {
        v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        if (line.startsWith("SCREEN="))
            windows.append({QString::number(v["WINDOW"]), QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"])});
    }
    return windows;
}

void Click(const QString& display, QPoint at, int button) {
    RunOn(display, "xdotool",
          {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", QString::number(button)});
}

QImage Screenshot(const QString& display, const QString& name) {
    TempDir dir;
    RunProgram("import", {"-window", "root", dir.file("shot.png")}, {"DISPLAY=" + display});
    QImage image(dir.file("shot.png"));
    if (!name.isEmpty() && !image.isNull()) image.save(QString(VELOMIRA_TEST_OUTPUT) + "/" + name);
    return image;
}

QRect FindColour(const QImage& image, QColor colour) {
    QRect box;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 24; };
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (const QRgb c = rgb.pixel(x, y); near(qRed(c), colour.red()) &&
                                                near(qGreen(c), colour.green()) &&
                                                near(qBlue(c), colour.blue()))
                box |= QRect(x, y, 1, 1);
    return box;
}

Background::Background(const QString& program, const QStringList& args, const QStringList& env,
                       const QString& workDir) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env)
        kv.endsWith('=') ? e.remove(kv.chopped(1)) : e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    process_.setProcessEnvironment(e);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setWorkingDirectory(workDir);
    process_.start(program, args);
    process_.waitForStarted();
}

int Background::terminate() {
    if (process_.state() != QProcess::NotRunning) ::kill(pid_t(process_.processId()), SIGTERM);
    return waitForExit(10000);
}

int Background::waitForExit(int ms) {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(ms)) {
        process_.kill();
        process_.waitForFinished();
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

Trayer::Trayer(const QString& display)
    : process_("trayer",
               {"--edge", "top", "--align", "left", "--widthtype", "pixel", "--width", "200", "--heighttype",
                "pixel", "--height", "40", "--SetDockType", "false", "--SetPartialStrut", "false",
                "--transparent", "false"},
               {"DISPLAY=" + display}),
      display_(display) {
    ready_ = WaitUntil([&] {
        return RunOn(display, "xwininfo", {"-root", "-tree"}).contains("(\"panel\" \"trayer\")");
    });
}

std::optional<WindowBox> Trayer::embeddedIcon(const QString& windowClass) const {
    static const QRegularExpression parentLine("Parent window id: (0x[0-9a-f]+)");
    const auto inPanel = [&](const QString& id) {
        const QStringList panels = RunOn(display_, "xdotool", {"search", "--class", "trayer"}).split('\n');
        qulonglong window = id.toULongLong();
        for (int depth = 0; depth < 10 && window; ++depth) {
            if (panels.contains(QString::number(window))) return true;
            const QString tree = RunOn(display_, "xwininfo", {"-tree", "-id", QString::number(window)});
            window = parentLine.match(tree).captured(1).toULongLong(nullptr, 16);
        }
        return false;
    };
    std::optional<WindowBox> now, before;
    const bool settled = WaitUntil([&] {
        before = std::exchange(now, std::nullopt);
        for (const WindowBox& w : VisibleWindows(display_, "--classname", windowClass))
            if (inPanel(w.id)) now = w;
        return now && before && now->rect == before->rect;
    });
    return settled ? now : std::nullopt;
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
    const QStringList ask = {"--session",
                             "--print-reply",
                             "--dest=org.freedesktop.DBus",
                             "/",
                             "org.freedesktop.DBus.NameHasOwner",
                             "string:org.kde.StatusNotifierWatcher"};
    ready_ = WaitUntil(
        [&] {
            return RunProgram("dbus-send", ask, {"DBUS_SESSION_BUS_ADDRESS=" + bus}).out.contains("true");
        },
        15000);
}

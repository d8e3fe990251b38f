#pragma once

// Helpers for tests on a private X server: tray hosts, finding windows, xdotool and screenshots.
#include "TestSupport.h"

#include <QtGui>
#include <gtest/gtest.h>
#include <optional>

// Polls `done` every 20 ms for at most `ms`, running the Qt event loop when there is one.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 10000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done()) return true;
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return done();
}

// Runs a program on the display and returns its standard output.
inline QString RunOn(const QString& display, const QString& program, const QStringList& args) {
    return RunProgram(program, args, {"DISPLAY=" + display}).out.trimmed();
}

// Mapped windows whose class or name matches (xdotool search --onlyvisible --classname/--name).
struct WindowBox {
    QString id;
    QRect rect;
};
inline QList<WindowBox> VisibleWindows(const QString& display, const QString& how, const QString& pattern) {
    QList<WindowBox> windows; // blocks of WINDOW=, X=, Y=, WIDTH=, HEIGHT=, SCREEN= lines
    QMap<QString, int> v;
    const QStringList args = {"search", "--onlyvisible", how, pattern, "getwindowgeometry", "--shell", "%@"};
    for (const QString& line : RunOn(display, "xdotool", args).split('\n')) {
        v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        if (line.startsWith("SCREEN="))
            windows.append({QString::number(v["WINDOW"]), QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"])});
    }
    return windows;
}

// Moves the pointer to `at` and clicks `button` (1 left, 3 right; 0 only moves).
inline void Click(const QString& display, QPoint at, int button) {
    QStringList args = {"mousemove", QString::number(at.x()), QString::number(at.y())};
    RunOn(display, "xdotool", button ? args << "click" << QString::number(button) : args);
}

// A long-running helper process, ended when the object goes. `env` is applied in order: "NAME=value"
// sets, "NAME=" removes.
class Background {
public:
    Background(const QString& program, const QStringList& args, const QStringList& env,
               const QString& workDir = {}) {
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
    ~Background() { end(); }
    // Ends the process with SIGTERM, or with `byItselfMs` waits that long for it to end by itself.
    // The exit code, or -1 when it crashed or did not end (within 10 s of the signal).
    int end(int byItselfMs = 0) {
        if (!byItselfMs) process_.terminate(); // SIGTERM
        if (!process_.waitForFinished(byItselfMs ? byItselfMs : 10000) &&
            process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
};

// The XEmbed tray host trayer on the display, ready when constructed (the test fails otherwise).
class Trayer : Background {
public:
    explicit Trayer(const QString& display)
        : Background(
              "trayer",
              QString("--edge top --align left --widthtype pixel --width 200 --heighttype pixel --height "
                      "40 --SetDockType false --SetPartialStrut false --transparent false")
                  .split(' '),
              {"DISPLAY=" + display}),
          display_(display) {
        EXPECT_TRUE(WaitUntil([&] {
            return RunOn(display, "xwininfo", {"-root", "-tree"}).contains("(\"panel\" \"trayer\")");
        })) << "no trayer";
    }

    // The mapped window of the class `windowClass` inside the tray, once it holds still at the size
    // the tray gave it; none after 10 s.
    std::optional<WindowBox> embeddedIcon(const QString& windowClass) const {
        const auto inPanel = [&](const QString& id) { // xwininfo lists the panels' windows in hex
            const QString hex = " 0x" + QString::number(id.toULongLong(), 16) + " ";
            for (const QString& panel :
                 RunOn(display_, "xdotool", {"search", "--class", "trayer"}).split('\n'))
                if (RunOn(display_, "xwininfo", {"-tree", "-id", panel}).contains(hex)) return true;
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

private:
    QString display_;
};

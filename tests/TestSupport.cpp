#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int RunUnprivileged(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(-1);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

QProcessEnvironment EnvironmentWith(const QStringList& env) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env)
        e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    return e;
}

} // namespace

ProcessResult RunProgram(const QString& program, const QStringList& args, const QStringList& env) {
    QProcess p;
    p.setProcessEnvironment(EnvironmentWith(env));
    p.start(program, args);
    ProcessResult r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

XvfbServer::XvfbServer(const QString& geometry) {
    // Xvfb prints the display's number, and nothing else, on the descriptor it is given.
    xvfb_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", geometry, "-nolisten", "tcp", "-noreset"});
    while (!xvfb_.canReadLine() && xvfb_.waitForReadyRead(10000)) {
    }
    const QByteArray number = xvfb_.readLine().trimmed();
    if (!number.isEmpty()) display_ = ":" + QString::fromLatin1(number);
}

XvfbServer::~XvfbServer() {
    xvfb_.terminate();
    xvfb_.waitForFinished();
}

DbusSession::DbusSession() {
    QProcess p;
    p.start("dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"});
    if (!p.waitForFinished(10000) || p.exitCode() != 0) return;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    if (lines.size() >= 2) {
        address_ = lines[0].trimmed();
        pid_ = lines[1].trimmed().toLongLong();
    }
}

DbusSession::~DbusSession() {
    if (pid_ > 0) ::kill(pid_t(pid_), SIGTERM);
}

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value.toUtf8());
}

ScopedEnv::~ScopedEnv() {
    if (had_)
        qputenv(name_, old_);
    else
        qunsetenv(name_);
}

uint32_t RootPixel(int x, int y) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(
            c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(x), int16_t(y), 1, 1, ~0u), nullptr),
        &std::free);
    const uint32_t pixel =
        image ? *reinterpret_cast<const uint32_t*>(xcb_get_image_data(image.get())) & 0xffffff : 0;
    xcb_disconnect(c);
    return pixel;
}

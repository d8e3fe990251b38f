#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>

// A temporary folder that is removed after the test.
struct TempDir {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }
};

void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// Runs `body` in a child process; as root the child first becomes an unprivileged user, so that
// file permissions apply to it. Returns the child's exit status (body's result), or -1.
int RunUnprivileged(const std::function<int()>& body);

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program with extra environment variables ("NAME=value") and waits at most 60 s.
ProcessResult RunProgram(const QString& program, const QStringList& args, const QStringList& env = {});

// The pixel of the root window of $DISPLAY as the X server shows it, as 0xRRGGBB.
uint32_t RootPixel(int x, int y);

// A private X server (Xvfb, kept from resetting when its last client leaves) for the test's
// lifetime. display() is ":N", empty when it could not start.
class XvfbServer {
public:
    explicit XvfbServer(const QString& geometry = "640x480x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    const QString& display() const { return display_; }

private:
    QProcess xvfb_;
    QString display_;
};

// A private D-Bus session bus for the test's lifetime; address() is empty when it could not start.
class DbusSession {
public:
    DbusSession();
    ~DbusSession();
    DbusSession(const DbusSession&) = delete;
    DbusSession& operator=(const DbusSession&) = delete;
    const QString& address() const { return address_; }

private:
    qint64 pid_ = 0;
    QString address_;
};

// Sets an environment variable for the test's lifetime and restores the old value after it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

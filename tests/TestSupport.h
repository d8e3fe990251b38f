#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
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

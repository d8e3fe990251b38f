#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

// A temporary that has not changed for this long is no longer being written.
constexpr int kStaleSeconds = 5 * 60;

// mkstemp's six characters.
bool isTemporarySuffix(QStringView suffix) {
    return suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
               return c.unicode() < 128 && c.isLetterOrNumber();
           });
}

} // namespace

void RemoveStaleTemporaries(const QString& path) {
    const QFileInfo target(path);
    const QString prefix = target.fileName() + ".";
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-kStaleSeconds);
    QDir folder = target.absoluteDir();
    for (const QFileInfo& entry : folder.entryInfoList(
             {prefix + "??????"}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (isTemporarySuffix(QStringView(entry.fileName()).mid(prefix.size())) &&
            entry.ownerId() == ::geteuid() && entry.lastModified() < limit)
            folder.remove(entry.fileName());
    }
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, mode_t mode) {
    RemoveStaleTemporaries(path);
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, data.constData(), data.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    // Make the rename itself durable.
    const int dir =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

#include "app/SettingsClaim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {

int openLockFile(const QString& settingsPath, int flags) {
    return ::open(QFile::encodeName(settingsPath + ".lock").constData(), O_RDONLY | O_CLOEXEC | flags, 0600);
}

// The whole file, from its start.
struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

} // namespace

SettingsClaim::SettingsClaim(const QString& settingsPath) {
    QDir().mkpath(QFileInfo(settingsPath).absolutePath());
    fd_ = openLockFile(settingsPath, O_CREAT);
    struct flock lock = wholeFile(F_RDLCK);
    if (fd_ >= 0 && ::fcntl(fd_, F_SETLK, &lock) == -1) {
        ::close(fd_);
        fd_ = -1;
    }
}

SettingsClaim::~SettingsClaim() {
    if (fd_ >= 0) ::close(fd_);
}

bool SettingsClaim::held(const QString& settingsPath) {
    const int fd = openLockFile(settingsPath, 0);
    if (fd < 0) return false;
    // Only asks whether a write lock would be refused, so that two askers never see each other.
    struct flock lock = wholeFile(F_WRLCK);
    const bool taken = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return taken;
}

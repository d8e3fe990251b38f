#include "Dest.h"

#include "LastError.h"
#include "VelomiraIS.h"

#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

int32_t Dest::open(const char* path) {
    path_ = path;
    temp_ = path_ + ".XXXXXX";
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temp_.clear();
        return IS40_ERR_OPEN;
    }
    // A wallpaper is read by the desktop and other programs.
    ::fchmod(fd_, 0644);
    return IS40_ERR_NONE;
}

Dest::~Dest() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.isEmpty()) ::unlink(temp_.constData());
}

bool Dest::write(std::span<const uint8_t> bytes) {
    while (fd_ >= 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(size_t(n));
    }
    return fd_ >= 0;
}

bool Dest::commit() {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(temp_.constData(), path_.constData()) != 0) return false;
    temp_.clear();
    // Make the rename itself durable.
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path_)).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

Dest* ToDest(uintptr_t handle) {
    return reinterpret_cast<Dest*>(handle);
}

extern "C" IS40_DEST IS40_OpenFileDest(const char* path, int32_t /*reserved*/) {
    return Guarded([&]() -> IS40_DEST {
        if (path == nullptr || *path == '\0') return Fail(IS40_ERR_ARGUMENT);
        auto dest = std::make_unique<Dest>();
        if (const int32_t error = dest->open(path)) return Fail(error);
        return reinterpret_cast<IS40_DEST>(dest.release());
    });
}

extern "C" void IS40_CloseDest(IS40_DEST dest) {
    delete ToDest(dest);
}

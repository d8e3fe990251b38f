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
    const off_t start = written_;
    while (fd_ >= 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(size_t(n));
        written_ += n;
    }
    // The disk starts on what has been written while the rest is made, so that the sync at the end
    // waits for little more than the last part. Only a hint: the sync is what counts.
    if (fd_ >= 0) ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
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

#include "Source.h"

#include "LastError.h"
#include "VelomiraIS.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The largest file read into memory: far above any legal picture file (a 300-megapixel
// uncompressed 32-bit TIFF is 1.2 GB), so that a huge file of another kind is refused instead of
// being read whole.
constexpr off_t kMaxFileBytes = off_t(2) << 30;

} // namespace

int32_t Source::open(const char* path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
    fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return IS40_ERR_OPEN;
    return IS40_ERR_NONE;
}

Source::~Source() {
    if (fd_ >= 0) ::close(fd_);
}

int32_t Source::load() {
    if (loaded_) return IS40_ERR_NONE;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return IS40_ERR_READ;
    if (info.st_size > kMaxFileBytes) return IS40_ERR_TOO_LARGE;
    bytes_.resize(qsizetype(info.st_size));
    // A file that shrinks while it is read ends up shorter; one that grows is read to its old size.
    qsizetype done = 0;
    while (done < bytes_.size()) {
        const ssize_t n = ::pread(fd_, bytes_.data() + done, size_t(bytes_.size() - done), done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return IS40_ERR_READ;
        if (n == 0) break;
        done += n;
    }
    bytes_.truncate(done);
    loaded_ = true;
    return IS40_ERR_NONE;
}

Source* ToSource(uintptr_t handle) {
    return reinterpret_cast<Source*>(handle);
}

extern "C" IS40_SOURCE IS40_OpenFileSource(const char* path) {
    return Guarded([&]() -> IS40_SOURCE {
        if (path == nullptr) return Fail(IS40_ERR_ARGUMENT);
        auto source = std::make_unique<Source>();
        if (const int32_t error = source->open(path)) return Fail(error);
        return reinterpret_cast<IS40_SOURCE>(source.release());
    });
}

extern "C" void IS40_CloseSource(IS40_SOURCE source) {
    delete ToSource(source);
}

#include "pictures/ScanFolder.h"

#include <QFile>
#include <QStringDecoder>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// "*" matches any run of bytes; other characters match without regard to ASCII case. Names are
// UTF-8, whose multi-byte sequences hold no ASCII bytes, so matching bytes is exact for our patterns.
bool WildcardMatch(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0;
    size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && AsciiLower(pattern[p]) == AsciiLower(name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// A file name as text; names that are not valid UTF-8 give nothing, since the path could not be
// turned back into the same bytes to open the file later.
std::optional<QString> DecodeName(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) return std::nullopt;
    return text;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

struct DirEntry {
    std::string name;
    unsigned char type; // d_type; DT_UNKNOWN when the file system does not tell
};

// The entries of an open directory in the file system's order, without "." and "..". The listing
// is read whole so that only the descriptor stays open while subfolders are walked.
std::vector<DirEntry> ReadEntries(int fd) {
    std::vector<DirEntry> entries;
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0) ::close(copy);
        return entries;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name != "." && name != "..") entries.push_back({std::string(name), e->d_type});
    }
    ::closedir(dir);
    return entries;
}

class Walker {
public:
    Walker(const QStringList& patterns, bool recursive, PictureList& list)
        : recursive_(recursive), list_(list) {
        for (const QString& pattern : patterns)
            patterns_.push_back(pattern.toStdString());
    }

    // Walks the open directory `fd` (the folder `folder`, ending in "/", `folderBytes` long in UTF-8)
    // unless it was walked before.
    void walk(const FileDescriptor& fd, const QString& folder, size_t folderBytes) {
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || !visited_.emplace(st.st_dev, st.st_ino).second) return;
        for (const DirEntry& entry : ReadEntries(fd.get()))
            visit(fd, folder, folderBytes, entry);
    }

private:
    void visit(const FileDescriptor& fd, const QString& folder, size_t folderBytes, const DirEntry& entry) {
        const char* name = entry.name.c_str();
        // Longer paths could not be opened by name later.
        if (folderBytes + entry.name.size() + 1 >= PATH_MAX) return;
        const bool matches = matchesPattern(entry.name);
        unsigned char type = entry.type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st {};
            if ((!matches && !recursive_) || ::fstatat(fd.get(), name, &st, 0) != 0) return;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            // Dot-folders hold caches and program data rather than the user's pictures.
            if (!recursive_ || entry.name.front() == '.') return;
            const std::optional<QString> text = DecodeName(entry.name);
            const FileDescriptor child(::openat(fd.get(), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (text && child) walk(child, folder + *text + '/', folderBytes + entry.name.size() + 1);
            return;
        }
        // Only regular files: reading a pipe or a device named like a picture would block or never end.
        if (type != DT_REG || !matches || ::faccessat(fd.get(), name, R_OK, AT_EACCESS) != 0) return;
        if (const std::optional<QString> text = DecodeName(entry.name)) list_.push_back({folder + *text, {}});
    }

    bool matchesPattern(std::string_view name) const {
        for (const std::string& pattern : patterns_)
            if (WildcardMatch(name, pattern)) return true;
        return false;
    }

    std::vector<std::string> patterns_;
    bool recursive_;
    PictureList& list_;
    std::set<std::pair<dev_t, ino_t>> visited_;
};

} // namespace

void ScanFolder(const QString& folder, const QStringList& patterns, bool recursive, PictureList& list) {
    if (folder.isEmpty()) return;
    const QString base = folder.endsWith('/') ? folder : folder + '/';
    const QByteArray bytes = QFile::encodeName(base);
    const FileDescriptor fd(::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) Walker(patterns, recursive, list).walk(fd, base, size_t(bytes.size()));
}

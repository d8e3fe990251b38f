#include "pictures/ScanFolder.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

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

// A name that is not valid UTF-8 has no text form that opens the same file later.
bool IsUtf8(std::string_view name) {
    return QByteArrayView(name.data(), qsizetype(name.size())).isValidUtf8();
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

// The records of an open folder as getdents64 returns them, in the file system's order, read whole so
// that only the descriptor stays open while subfolders are read. A read error ends the listing there.
struct Listing {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
};

Listing ReadListing(int fd) {
    // One record takes at most a few hundred bytes; each read has room for many.
    size_t capacity = 32 * 1024;
    Listing listing{std::make_unique_for_overwrite<char[]>(capacity)};
    for (;;) {
        if (capacity - listing.size < 8 * 1024) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity *= 2);
            std::memcpy(larger.get(), listing.bytes.get(), listing.size);
            listing.bytes = std::move(larger);
        }
        const ssize_t n = ::getdents64(fd, listing.bytes.get() + listing.size, capacity - listing.size);
        if (n <= 0) return listing;
        listing.size += size_t(n);
    }
}

using DirectoryId = std::pair<dev_t, ino_t>;

unsigned char TypeOf(const struct stat& st) {
    return S_ISDIR(st.st_mode)   ? DT_DIR
           : S_ISREG(st.st_mode) ? DT_REG
           : S_ISLNK(st.st_mode) ? DT_LNK
                                 : DT_UNKNOWN;
}

// One folder of a tree as the readers found it.
struct Folder {
    explicit Folder(std::string path) : path(std::move(path)) {}

    std::string path;              // UTF-8, ending in "/"
    std::optional<DirectoryId> id; // none when it could not be opened
    bool readElsewhere = false;    // its id was read at another place of the tree: left unread here
    PictureList files;             // the matching regular files, in listing order
    struct Subfolder {
        size_t after;                   // how many of `files` come before it
        std::unique_ptr<Folder> folder; // a folder below, or
        std::string link;               // the path of a link to a folder, followed in walk order
    };
    std::vector<Subfolder> subfolders;
};

class Walker {
public:
    Walker(const QStringList& patterns, bool recursive) : recursive_(recursive) {
        for (const QString& pattern : patterns)
            patterns_.push_back(pattern.toStdString());
    }

    // Appends the pictures of the folder at `path` (ending in "/") unless it was walked before.
    void walk(const std::string& path, PictureList& list) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || walked_.contains({st.st_dev, st.st_ino})) return;
        Folder root(path);
        readTree(root);
        // Links walked on the way reserve again; doubling keeps that from copying the list each time.
        if (const size_t needed = list.size() + countFiles(root); needed > list.capacity())
            list.reserve(std::max(needed, 2 * list.capacity()));
        collect(root, list);
    }

private:
    // Reads `root` and the folders below it on all cores, each folder id once.
    void readTree(Folder& root) const {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<Folder*> waiting{&root};
        std::set<DirectoryId> seen;
        int reading = 0;
        const auto reader = [&] {
            std::unique_lock lock(mutex);
            for (;;) {
                changed.wait(lock, [&] { return !waiting.empty() || reading == 0; });
                if (waiting.empty()) return;
                Folder& folder = *waiting.back();
                waiting.pop_back();
                ++reading;
                lock.unlock();
                const FileDescriptor fd(::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                struct stat st {};
                if (fd && ::fstat(fd.get(), &st) == 0) folder.id = DirectoryId(st.st_dev, st.st_ino);
                lock.lock();
                folder.readElsewhere = folder.id && !seen.insert(*folder.id).second;
                lock.unlock();
                if (folder.id && !folder.readElsewhere) read(fd, folder);
                lock.lock();
                --reading;
                for (const Folder::Subfolder& sub : folder.subfolders)
                    if (sub.folder) waiting.push_back(sub.folder.get());
                changed.notify_all();
            }
        };
        // Past a few readers the disk rather than the cores sets the pace.
        const unsigned readers = recursive_ ? std::clamp(std::thread::hardware_concurrency(), 1u, 4u) : 1;
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < readers; ++i)
            helpers.emplace_back(reader);
        reader();
    }

    // Sorts the entries of the open folder into its files and subfolders.
    void read(const FileDescriptor& fd, Folder& folder) const {
        std::string path = folder.path;
        const Listing listing = ReadListing(fd.get());
        for (size_t at = 0; at < listing.size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(listing.bytes.get() + at);
            at += entry->d_reclen;
            const std::string_view name = entry->d_name;
            // Longer paths could not be opened by name later.
            if (name == "." || name == ".." || folder.path.size() + name.size() + 1 >= PATH_MAX) continue;
            const bool matches = matchesPattern(name);
            unsigned char type = entry->d_type;
            struct stat st {};
            if (type == DT_UNKNOWN) {
                if ((!matches && !recursive_) ||
                    ::fstatat(fd.get(), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                type = TypeOf(st);
            }
            if (type == DT_LNK) {
                if ((!matches && !recursive_) || ::fstatat(fd.get(), entry->d_name, &st, 0) != 0) continue;
                type = TypeOf(st);
                if (type == DT_DIR) {
                    if (entersFolder(name))
                        folder.subfolders.push_back(
                            {folder.files.size(), {}, folder.path + std::string(name) + '/'});
                    continue;
                }
            }
            if (type == DT_DIR && entersFolder(name)) {
                auto sub = std::make_unique<Folder>(folder.path + std::string(name) + '/');
                folder.subfolders.push_back({folder.files.size(), std::move(sub), {}});
            } else if (type == DT_REG && matches && IsUtf8(name)) {
                // Only regular files: reading a pipe or a device named like a picture would block or
                // never end. Whether the file can be read shows when it is composed.
                path.resize(folder.path.size());
                path.append(name);
                folder.files.push_back({QString::fromUtf8(path.data(), qsizetype(path.size())), {}});
            }
        }
    }

    // Dot-folders hold caches and program data rather than the user's pictures.
    bool entersFolder(std::string_view name) const {
        return recursive_ && name.front() != '.' && IsUtf8(name);
    }

    bool matchesPattern(std::string_view name) const {
        for (const std::string& pattern : patterns_)
            if (WildcardMatch(name, pattern)) return true;
        return false;
    }

    static size_t countFiles(const Folder& folder) {
        size_t count = folder.files.size();
        for (const Folder::Subfolder& sub : folder.subfolders)
            if (sub.folder) count += countFiles(*sub.folder);
        return count;
    }

    // Appends the files of the tree in walk order: depth-first, each folder where it is listed, and
    // no folder id twice.
    void collect(Folder& folder, PictureList& list) {
        if (!folder.id || walked_.contains(*folder.id)) return;
        // Its id was read at another place that has not been walked (yet): walk it here.
        if (folder.readElsewhere) return walk(folder.path, list);
        walked_.insert(*folder.id);
        size_t next = 0;
        for (Folder::Subfolder& sub : folder.subfolders) {
            std::move(folder.files.begin() + qsizetype(next), folder.files.begin() + qsizetype(sub.after),
                      std::back_inserter(list));
            next = sub.after;
            if (sub.folder)
                collect(*sub.folder, list);
            else
                walk(sub.link, list);
        }
        std::move(folder.files.begin() + qsizetype(next), folder.files.end(), std::back_inserter(list));
        folder.files = {};
    }

    std::vector<std::string> patterns_;
    bool recursive_;
    std::set<DirectoryId> walked_;
};

} // namespace

void ScanFolder(const QString& folder, const QStringList& patterns, bool recursive, PictureList& list) {
    if (folder.isEmpty()) return;
    Walker(patterns, recursive)
        .walk(QFile::encodeName(folder.endsWith('/') ? folder : folder + '/').toStdString(), list);
}

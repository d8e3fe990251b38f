// A full disk and a read-only storage folder: the program reports the failed step and the old
// wallpaper and settings stay as they were, with nothing left beside them.
#include "Scene.h"

#include "TestSupport.h"

#include <QDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QSize kSmall(64, 48), kLarge(1920, 1080);

// The files of a folder and its subfolders, with their contents.
void snapshot(const QString& folder, QMap<QString, QByteArray>& files) {
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = folder + "/" + name;
        if (QFileInfo(path).isDir())
            snapshot(path, files);
        else
            files.insert(path, ReadFile(path));
    }
}

// The files the program writes: those of the storage folder and of the settings folder.
QMap<QString, QByteArray> userFiles(const Scene& scene) {
    QMap<QString, QByteArray> files;
    snapshot(scene.storage, files);
    snapshot(scene.config, files);
    return files;
}

// A tmpfs of `bytes` at `path` for the object's lifetime; mounted() is false where that is not allowed.
class SmallDisk {
public:
    SmallDisk(const QString& path, qint64 bytes) : path_(QFile::encodeName(path)) {
        QDir().mkpath(path);
        const QByteArray options = "size=" + QByteArray::number(bytes);
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    QByteArray path_;
    bool mounted_ = false;
};

// Fills the file system that holds `folder` to the last byte.
void fill(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    while (::write(fd, "x", 1) > 0) {
    }
    ::close(fd);
}

// Limits the size of the files the programs started meanwhile may write; writing past the limit then
// fails with EFBIG instead of ending the program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST(StorageFailure, FullDiskKeepsTheOldFiles) {
    for (const bool tmpfs : {true, false}) {
        SCOPED_TRACE(tmpfs ? "full tmpfs" : "file size limit");
        TempDir tmp;
        std::optional<SmallDisk> disk;
        if (tmpfs && !disk.emplace(tmp.file("disk"), 4 << 20).mounted()) {
            std::printf("no tmpfs here (not root?): full disk tried with the file size limit only\n");
            continue;
        }
        const Scene scene(tmp.file("disk"));
        ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kSmall), scene.env());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QMap<QString, QByteArray> before = userFiles(scene);
        ASSERT_GT(ReadFile(scene.ini).size(), 1024);

        if (tmpfs) {
            fill(scene.storage);
            run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kLarge), scene.env());
        } else {
            const FileSizeLimit limit(1024);
            run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kLarge), scene.env());
        }
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("IS_WriteBMP")) << run.err.toStdString();
        QMap<QString, QByteArray> after = userFiles(scene);
        after.remove(scene.storage + "/filler");
        EXPECT_TRUE(after == before);
    }
}

TEST(StorageFailure, ReadOnlyFoldersKeepTheOldFiles) {
    TempDir tmp;
    const Scene scene(tmp.path());
    const ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kSmall), scene.env());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QMap<QString, QByteArray> before = userFiles(scene);

    // Everything readable for the unprivileged user; only a folder for its error output is writable.
    const QString errors = tmp.file("errors");
    QDir().mkpath(errors);
    for (const QString& folder :
         {tmp.path(), scene.folder + "/pictures", scene.config, scene.config + "/Korbinheim"})
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(scene.storage,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(errors, QFileDevice::Permissions(0x7777));
    QFile::setPermissions(scene.ini, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

    const QByteArray program = VELOMIRA_PROGRAM, errorFile = QFile::encodeName(errors + "/stderr");
    const QByteArray config = QFile::encodeName(scene.config);
    const int status = RunUnprivileged([&] {
        const int fd = ::open(errorFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDERR_FILENO);
        ::setenv("XDG_CONFIG_HOME", config.constData(), 1);
        ::setenv("HOME", "/nonexistent", 1);
        ::setenv("XDG_CURRENT_DESKTOP", "", 1);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::execl(program.constData(), "velomira", "--next", "--size", "1920x1080",
                static_cast<char*>(nullptr));
        return 127;
    });
    const QString err = QString::fromUtf8(ReadFile(errors + "/stderr"));
    EXPECT_EQ(status, 1) << err.toStdString();
    EXPECT_TRUE(err.contains("IS_OpenFileDest")) << err.toStdString();
    EXPECT_TRUE(userFiles(scene) == before);
}

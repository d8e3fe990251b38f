// A failing write and a read-only storage folder: the program reports the failed step and the old
// wallpaper and settings stay as they were, with nothing left beside them.
#include "Scene.h"

#include "TestSupport.h"

#include <QDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
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

// A full disk as the program meets it: a write that fails half-way (here past the file size limit).
TEST(StorageFailure, FullDiskKeepsTheOldFiles) {
    TempDir tmp;
    const Scene scene(tmp.path());
    ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kSmall), scene.env());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QMap<QString, QByteArray> before = userFiles(scene);
    ASSERT_GT(ReadFile(scene.ini).size(), 1024) << "larger than the limit";
    {
        const FileSizeLimit limit(1024);
        run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kLarge), scene.env());
    }
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("IS_WriteBMP")) << run.err.toStdString();
    EXPECT_TRUE(userFiles(scene) == before);
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

// A failing write and a read-only storage folder: the program reports the failed step and the old
// wallpaper and settings stay as they were, with nothing left beside them.
#include "Scene.h"

#include "TestSupport.h"

#include <QDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

} // namespace

// A full disk as the program meets it (a write that fails half-way, here past the file size limit),
// and a storage folder the user may not write to.
TEST(StorageFailure, FailedWritesKeepTheOldFiles) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only folder" : "full disk");
        TempDir tmp;
        const Scene scene(tmp.path());
        ProcessResult run = RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kSmall), scene.env());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QMap<QString, QByteArray> before = userFiles(scene);
        ASSERT_GT(ReadFile(scene.ini).size(), 1024) << "larger than the limit";
        if (readOnly) {
            // Readable for an unprivileged user, as whom the program runs (root may write anywhere).
            for (const QString& folder :
                 {tmp.path(), scene.folder + "/pictures", scene.config, scene.config + "/Korbinheim"})
                ::chmod(QFile::encodeName(folder), 0755);
            ::chmod(QFile::encodeName(scene.storage), 0555);
            ::chmod(QFile::encodeName(scene.ini), 0644);
            const QStringList nobody = {"--reuid=65534", "--regid=65534", "--clear-groups", VELOMIRA_PROGRAM};
            run = ::geteuid() == 0 ? RunProgram("setpriv", nobody + Scene::nextArgs(kLarge), scene.env())
                                   : RunProgram(VELOMIRA_PROGRAM, Scene::nextArgs(kLarge), scene.env());
        } else { // with SIGXFSZ ignored, a write past the file size limit fails with EFBIG
            std::signal(SIGXFSZ, SIG_IGN);
            run =
                RunProgram("prlimit", QStringList{"--fsize=1024", VELOMIRA_PROGRAM} + Scene::nextArgs(kLarge),
                           scene.env());
        }
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(readOnly ? "IS_OpenFileDest" : "IS_WriteBMP")) << run.err.toStdString();
        EXPECT_TRUE(userFiles(scene) == before);
    }
}

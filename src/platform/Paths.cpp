#include "platform/Paths.h"

#include "Version.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

QString SpecialFolderPath(int csidl) {
    if (csidl != CSIDL_PERSONAL) return {};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && PathExists(documents, 2)) return documents;
    return QDir::homePath();
}

bool PathExists(const QString& path, int mode) {
    if (path.isEmpty()) return false;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    const bool isDir = S_ISDIR(st.st_mode);
    if (mode == 1) return !isDir;
    if (mode == 2) return isDir;
    return true;
}

QString ConfigHome() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    return config.isEmpty() || QDir::isRelativePath(config) ? QDir::homePath() + "/.config" : config;
}

QString ProgramFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return QDir::currentPath();
    return QFileInfo(QFile::decodeName(QByteArray(buffer, n))).absolutePath();
}

QStringList LibraryFolders() {
    const QString program = ProgramFolder();
    return {QDir::cleanPath(program + "/../" VELOMIRA_LIBDIR), program};
}

QString DataFolder() {
    const QString program = ProgramFolder();
    const QString shared = QDir::cleanPath(program + "/../" VELOMIRA_DATADIR);
    return PathExists(shared, 2) ? shared : program;
}

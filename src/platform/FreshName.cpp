#include "platform/FreshName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <unistd.h>

namespace {

// The links of `file` in its folder, e.g. Velomira-17.bmp for Velomira.bmp, with their numbers.
QList<std::pair<QString, qint64>> links(const QString& file) {
    const QFileInfo info(file);
    const QRegularExpression pattern("^" + QRegularExpression::escape(info.completeBaseName()) +
                                     "-([0-9]{1,18})\\." + QRegularExpression::escape(info.suffix()) + "$");
    QList<std::pair<QString, qint64>> found;
    for (const QString& name : QDir(info.absolutePath()).entryList(QDir::Files | QDir::System)) {
        if (const QRegularExpressionMatch m = pattern.match(name); m.hasMatch())
            found.append({info.absolutePath() + "/" + name, m.captured(1).toLongLong()});
    }
    return found;
}

} // namespace

QString FreshWallpaperName(const QString& file) {
    qint64 next = 1;
    for (const auto& [path, number] : links(file))
        next = std::max(next, number + 1);
    const QFileInfo info(file);
    const QString fresh =
        QString("%1/%2-%3.%4")
            .arg(info.absolutePath(), info.completeBaseName(), QString::number(next), info.suffix());
    if (::link(QFile::encodeName(file).constData(), QFile::encodeName(fresh).constData()) != 0) return file;
    return fresh;
}

void RemoveOldWallpaperNames(const QString& file, const QString& keep) {
    for (const auto& [path, number] : links(file))
        if (path != keep) QFile::remove(path);
}

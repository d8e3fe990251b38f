#include "pictures/ScanFolder.h"
#include "pictures/PictureOrder.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// root/ holds every kind of entry the walk must tell apart; outside/ is reached only by a link.
// Hidden files count but hidden folders are not walked; links are followed, except one back up the
// tree; folders, pipes and names that are not UTF-8 do not count; the case of the suffix does not.
// By date the older comes first; modification times are local times in whole seconds.
TEST(ScanFolder, PatternsAndRecursion) {
    TempDir tmp;
    const QString root = tmp.file("root/");
    for (const char* dir : {"root/sub/deeper", "root/dir.jpg", "root/.cache", "outside"})
        QDir().mkpath(tmp.file(dir));
    for (const char* file : {"A.JPG", "b.jpg", "c.jpeg", "d.tiff", "e.gif", "f.png", "g.Bmp", "h.tif",
                             "i.pcx", ".hidden.jpg", "notes.txt", "grün.jpg", "dir.jpg/inner.jpg",
                             "sub/deep.jpg", "sub/deeper/x.gif", ".cache/thumb.jpg", "../outside/o.jpg"})
        WriteFile(root + file, "x");
    QFile::link(root + "b.jpg", root + "link.jpg");
    QFile::link(root, root + "sub/loop");
    QFile::link(tmp.file("outside"), root + "ext");
    const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7));
    const timespec t{when.toSecsSinceEpoch(), 900'000'000}, times[2] = {t, t};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(root + "b.jpg"), times, 0), 0);
    ::mkfifo(QFile::encodeName(root + "fifo.jpg"), 0644);
    const QByteArray badName = QFile::encodeName(root) + "bad\xff.jpg";
    ::close(::open(badName, O_CREAT | O_WRONLY, 0644));
    const QStringList topJpg = {".hidden.jpg", "A.JPG", "b.jpg", "grün.jpg", "link.jpg"};
    const QStringList allTop = topJpg + QStringList{"e.gif", "f.png", "g.Bmp", "h.tif", "i.pcx"};
    const QStringList deep = {"dir.jpg/inner.jpg", "e.gif", "ext/o.jpg", "sub/deep.jpg", "sub/deeper/x.gif"};
    const std::tuple<QStringList, bool, QStringList> cases[] = {
        {{"*.jpg"}, false, topJpg},
        {{"*.jpg", "*.bmp", "*.tif", "*.pcx", "*.png", "*.gif"}, false, allTop},
        {{"*.jpg", "*.gif"}, true, topJpg + deep},
    };
    for (auto [patterns, recursive, found] : cases) {
        PictureList list;
        ScanFolder(root, patterns, recursive, list);
        QStringList names;
        for (const PictureEntry& entry : list)
            names.append(entry.path.mid(root.size()));
        names.sort(), found.sort();
        EXPECT_EQ(names, found) << patterns.join(' ').toStdString() << recursive;
    }
    PictureList byDate{{root + "A.JPG", {}}, {root + "b.jpg", {}}};
    SortPictures(byDate, OrderByDate);
    EXPECT_EQ(std::tuple(byDate[0].path, byDate[0].modified, byDate[0].modified.timeSpec()),
              std::tuple(root + "b.jpg", when, Qt::LocalTime));
    ::unlink(badName); // the temporary folder's clean-up cannot remove a name that is not UTF-8
}

// Depth-first in the file system's order, each folder where it is listed: the order of find.
TEST(ScanFolder, WalkOrderIsFindOrder) {
    TempDir tmp;
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b) {
            const QString folder = tmp.file(QString("tree/d%1/e%2/").arg(a).arg(b));
            QDir().mkpath(folder);
            for (const char* file : {"f.jpg", "g.jpg", "h.jpg", "../i.jpg", "../../j.jpg"})
                WriteFile(folder + file, "x");
        }
    PictureList list;
    ScanFolder(tmp.file("tree"), {"*.jpg"}, true, list);
    QString walked;
    for (const PictureEntry& entry : list)
        walked += entry.path + '\n';
    EXPECT_EQ(walked, RunProgram("find", {tmp.file("tree"), "-name", "*.jpg"}).out);
}

// A folder the user may not read contributes nothing, and the walk goes on; a file that cannot be
// read is listed, its composition fails later.
TEST(ScanFolder, UnreadableFolderContributesNothing) {
    TempDir tmp;
    QDir().mkpath(tmp.file("locked"));
    for (const char* file : {"open.jpg", "secret.jpg", "locked/hidden.jpg"})
        WriteFile(tmp.file(file), "x");
    for (const auto& [name, mode] : {std::pair{"", 0755}, {"secret.jpg", 0}, {"locked", 0}})
        ::chmod(QFile::encodeName(tmp.file(name)), mode);
    const int status = RunUnprivileged([&] {
        PictureList list;
        ScanFolder(tmp.path() + "/", {"*.jpg"}, true, list);
        SortPictures(list, OrderByName);
        return list.size() == 2 && list[0].path == tmp.file("open.jpg") &&
                       list[1].path == tmp.file("secret.jpg")
                   ? 0
                   : 1;
    });
    ::chmod(QFile::encodeName(tmp.file("locked")), 0755);
    EXPECT_EQ(status, 0);
}

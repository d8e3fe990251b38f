#include "pictures/ScanFolder.h"
#include "pictures/PictureList.h"
#include "pictures/PictureOrder.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// root/ holds every kind of entry the walk must tell apart; outside/ is reached only by a link.
struct PictureTree {
    TempDir tmp;
    QString root = tmp.file("root/");

    PictureTree() {
        for (const char* dir : {"root/sub/deeper", "root/dir.jpg", "root/.cache", "outside"})
            QDir().mkpath(tmp.file(dir));
        for (const char* file : {"A.JPG", "b.jpg", "c.jpeg", "d.tiff", "e.gif", "f.png", "g.Bmp", "h.tif",
                                 "i.pcx", ".hidden.jpg", "notes.txt", "grün.jpg", "dir.jpg/inner.jpg",
                                 "sub/deep.jpg", "sub/deeper/x.gif", ".cache/thumb.jpg"})
            WriteFile(root + file, "x");
        WriteFile(tmp.file("outside/o.jpg"), "x");
        QFile::link(root + "b.jpg", root + "link.jpg");
        QFile::link(root, root + "sub/loop");
        QFile::link(tmp.file("outside"), root + "ext");
        ::mkfifo(QFile::encodeName(root + "fifo.jpg"), 0644);
        ::close(::open(badName(), O_CREAT | O_WRONLY, 0644));
    }
    // The temporary folder's clean-up cannot remove a name that is not UTF-8.
    ~PictureTree() { ::unlink(badName()); }
    QByteArray badName() const { return QFile::encodeName(root) + "bad\xff.jpg"; }
};

// The paths found below `root`, sorted, since the walk keeps the file system's order.
QStringList Found(const PictureList& list, const QString& root) {
    QStringList names;
    for (const PictureEntry& entry : list)
        names.append(entry.path.startsWith(root) ? entry.path.mid(root.size()) : entry.path);
    names.sort();
    return names;
}

Settings WithFlags(const char* formats, int recursive) {
    Settings s;
    const std::string_view f = formats;
    s.misc.jpg = f.find('j') != f.npos, s.misc.bmp = f.find('b') != f.npos,
    s.misc.tif = f.find('t') != f.npos;
    s.misc.pcx = f.find('p') != f.npos, s.misc.png = f.find('n') != f.npos,
    s.misc.gif = f.find('g') != f.npos;
    s.misc.recursive = recursive;
    s.misc.reihenfolge = OrderNone;
    return s;
}

} // namespace

TEST(ScanFolder, FormatsAndRecursion) {
    const PictureTree tree;
    struct Case {
        const char* formats;
        int recursive;
        QStringList found;
    };
    const QStringList topJpg = {".hidden.jpg", "A.JPG", "b.jpg", "grün.jpg", "link.jpg"};
    const Case cases[] = {
        {"j", 0, topJpg},
        {"jbtpng", 0, topJpg + QStringList{"e.gif", "f.png", "g.Bmp", "h.tif", "i.pcx"}},
        {"jg", 1,
         topJpg + QStringList{"dir.jpg/inner.jpg", "e.gif", "ext/o.jpg", "sub/deep.jpg", "sub/deeper/x.gif"}},
        {"j", 2, topJpg},
        {"", 1, {}},
    };
    for (const Case& c : cases) {
        Settings s = WithFlags(c.formats, c.recursive);
        s.PictureFolders = {tree.root};
        PictureList list;
        BuildPictureList(s, list);
        QStringList expected = c.found;
        expected.sort();
        EXPECT_EQ(Found(list, tree.root), expected) << c.formats << " recursive=" << c.recursive;
    }
}

TEST(ScanFolder, FoldersAsListed) {
    const PictureTree tree;
    Settings s = WithFlags("g", 1);
    // Listed twice: walked twice. Without "/" and missing: handled, not fatal.
    const QString deeper = tree.root + "sub/deeper";
    s.PictureFolders = {deeper + "/", tree.tmp.file("missing/"), deeper + "/", deeper, ""};
    PictureList list;
    BuildPictureList(s, list);
    EXPECT_EQ(Found(list, deeper), QStringList({"/x.gif", "/x.gif", "/x.gif"}));
    EXPECT_EQ(s.PictureFolders.first(), "");
}

TEST(ScanFolder, ModifiedIsLocalTimeInWholeSeconds) {
    TempDir tmp;
    WriteFile(tmp.file("a.jpg"), "x");
    const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7));
    const timespec times[2] = {{when.toSecsSinceEpoch(), 900'000'000},
                               {when.toSecsSinceEpoch(), 900'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(tmp.file("a.jpg")), times, 0), 0);
    PictureList list;
    ScanFolder(tmp.path() + "/", {"*.jpg"}, false, list);
    SortPictures(list, OrderByDate);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].modified, when);
    EXPECT_EQ(list[0].modified.timeSpec(), Qt::LocalTime);
}

TEST(ScanFolder, UnreadableEntriesContributeNothing) {
    TempDir tmp;
    ::chmod(QFile::encodeName(tmp.path()), 0755);
    QDir().mkpath(tmp.file("locked"));
    for (const char* file : {"open.jpg", "secret.jpg", "locked/hidden.jpg"})
        WriteFile(tmp.file(file), "x");
    ::chmod(QFile::encodeName(tmp.file("secret.jpg")), 0);
    ::chmod(QFile::encodeName(tmp.file("locked")), 0);
    const int status = RunUnprivileged([&] {
        PictureList list;
        ScanFolder(tmp.path() + "/", {"*.jpg"}, true, list);
        return list.size() == 1 && list[0].path == tmp.file("open.jpg") ? 0 : 1;
    });
    ::chmod(QFile::encodeName(tmp.file("locked")), 0755);
    EXPECT_EQ(status, 0);
}

TEST(ScanFolder, RefreshReportsTheWindowLabels) {
    const PictureTree tree;
    struct Case {
        QString storage;
        StorageFolderState state;
    };
    const Case cases[] = {{"", StorageFolderState::Empty},
                          {tree.tmp.path(), StorageFolderState::Present},
                          {tree.tmp.file("missing"), StorageFolderState::Missing},
                          {tree.root + "b.jpg", StorageFolderState::Missing}};
    for (const Case& c : cases) {
        Settings s = WithFlags("j", 0);
        s.misc.bmpverzeichnis = c.storage;
        PictureList list;
        const PictureListSummary summary =
            RefreshPictureList(s, {tree.root, tree.tmp.file("outside/")}, list);
        EXPECT_EQ(summary.storageFolder, c.state) << c.storage.toStdString();
        EXPECT_EQ(summary.count, 6);
        EXPECT_EQ(summary.countLabel, "Anzahl Bilder: 6");
        EXPECT_EQ(s.PictureFolders, QStringList({tree.tmp.file("outside/"), tree.root}));
    }
    Settings s = WithFlags("j", 0);
    PictureList list = {{"stale.jpg", {}}};
    EXPECT_EQ(RefreshPictureList(s, {}, list).countLabel, "Anzahl Bilder: 0");
    EXPECT_TRUE(list.empty());
}

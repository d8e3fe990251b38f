#include "pictures/PictureOrder.h"

#include <QDateTime>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

PictureList Entries(const QStringList& paths) {
    PictureList list;
    for (const QString& path : paths)
        list.push_back({path, QDateTime(QDate(2024, 1, 1), QTime(12, 0))});
    return list;
}

QStringList Paths(const PictureList& list) {
    QStringList paths;
    for (const PictureEntry& entry : list)
        paths.append(entry.path);
    return paths;
}

} // namespace

TEST(PictureOrder, NameOrderAndModesThatKeepTheOrder) {
    struct Case {
        int mode;
        QStringList in, out;
    };
    const Case cases[] = {
        // Equal keys: the gap 3 pass swaps the outer pair, the gap 1 pass leaves the ties alone.
        {OrderByName,
         {"/p/B.jpg", "/p/a.jpg", "/p/b.jpg", "/p/A.jpg"},
         {"/p/A.jpg", "/p/a.jpg", "/p/b.jpg", "/p/B.jpg"}},
        {OrderByName, {"/p/IMG9.jpg", "/p/IMG10.jpg"}, {"/p/IMG10.jpg", "/p/IMG9.jpg"}},
        // Umlauts are lowered too and sort after "z" by code point.
        {OrderByName,
         {"/p/Äz.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/apfel.jpg"},
         {"/p/apfel.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/Äz.jpg"}},
        // The whole path counts, so the folder decides first.
        {OrderByName, {"/b/a.jpg", "/a/z.jpg", "/A/m.jpg"}, {"/A/m.jpg", "/a/z.jpg", "/b/a.jpg"}},
        {OrderNone, {"/c", "/a", "/b"}, {"/c", "/a", "/b"}},
        {3, {"/c", "/a", "/b"}, {"/c", "/a", "/b"}},
        {OrderRandom, {"/only.jpg"}, {"/only.jpg"}},
        {OrderRandom, {}, {}},
    };
    for (const Case& c : cases) {
        PictureList list = Entries(c.in);
        SortPictures(list, c.mode);
        EXPECT_EQ(Paths(list), c.out) << c.mode << ": " << c.in.join(' ').toStdString();
    }
}

TEST(PictureOrder, DateOrderWithTies) {
    const QDateTime early(QDate(2020, 5, 1), QTime(8, 0, 0)), late(QDate(2020, 5, 1), QTime(8, 0, 1));
    PictureList list = {{"a", late}, {"b", early}, {"c", late}, {"d", early}};
    SortPictures(list, OrderByDate);
    EXPECT_EQ(Paths(list), QStringList({"d", "b", "c", "a"}));
}

TEST(PictureOrder, ShuffleIsAFreshPermutation) {
    QStringList paths;
    for (int i = 0; i < 1000; ++i)
        paths.append(QString::number(i));
    PictureList first = Entries(paths), second = Entries(paths);
    SortPictures(first, OrderRandom);
    SortPictures(second, OrderRandom);
    EXPECT_NE(Paths(first), Paths(second));
    EXPECT_NE(Paths(first), paths);
    QStringList sorted = Paths(first);
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(sorted, paths);
}

TEST(PictureOrder, FolderNamesByCodePoint) {
    QStringList folders = {"/b/", "/😀/", "/ä/", "/B/", "/～/", "/a/", "/z/"};
    SortFolderNames(folders);
    EXPECT_EQ(folders, QStringList({"/B/", "/a/", "/b/", "/z/", "/ä/", "/～/", "/😀/"}));
}

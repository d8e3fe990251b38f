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

TEST(PictureOrder, NameOrder) {
    struct Case {
        QStringList in, out;
    };
    const Case cases[] = {
        // Equal keys: the gap 3 pass swaps the outer pair, the gap 1 pass leaves the ties alone.
        {{"/p/B.jpg", "/p/a.jpg", "/p/b.jpg", "/p/A.jpg"}, {"/p/A.jpg", "/p/a.jpg", "/p/b.jpg", "/p/B.jpg"}},
        {{"/p/IMG9.jpg", "/p/IMG10.jpg"}, {"/p/IMG10.jpg", "/p/IMG9.jpg"}},
        // Umlauts are lowered too and sort after "z" by code point.
        {{"/p/Äz.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/apfel.jpg"},
         {"/p/apfel.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/Äz.jpg"}},
        // The whole path counts, so the folder decides first.
        {{"/b/a.jpg", "/a/z.jpg", "/A/m.jpg"}, {"/A/m.jpg", "/a/z.jpg", "/b/a.jpg"}},
        {{"/only.jpg"}, {"/only.jpg"}},
    };
    for (const Case& c : cases) {
        PictureList list = Entries(c.in);
        SortPictures(list, OrderByName);
        EXPECT_EQ(Paths(list), c.out) << c.in.join(' ').toStdString();
    }
}

TEST(PictureOrder, DateOrderWithTies) {
    const QDateTime early(QDate(2020, 5, 1), QTime(8, 0, 0)), late(QDate(2020, 5, 1), QTime(8, 0, 1));
    PictureList list = {{"a", late}, {"b", early}, {"c", late}, {"d", early}};
    SortPictures(list, OrderByDate);
    EXPECT_EQ(Paths(list), QStringList({"d", "b", "c", "a"}));
}

TEST(PictureOrder, ModesThatKeepTheOrder) {
    PictureList list = Entries({"/p/c.jpg", "/p/a.jpg", "/p/b.jpg"});
    SortPictures(list, OrderByName);
    for (const int mode : {int(OrderNone), 3, 4, -1}) {
        SortPictures(list, mode);
        EXPECT_EQ(Paths(list), QStringList({"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"})) << mode;
    }
    PictureList one = Entries({"/x.jpg"});
    SortPictures(one, OrderRandom);
    EXPECT_EQ(Paths(one), QStringList({"/x.jpg"}));
    PictureList none;
    SortPictures(none, OrderRandom);
    EXPECT_TRUE(none.empty());
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

#include "pictures/PictureOrder.h"

#include <QDateTime>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Entries modified at the same time, those ending in "+1" one second later.
PictureList entries(const QStringList& paths) {
    PictureList list;
    for (const QString& path : paths)
        list.push_back({path, QDateTime(QDate(2020, 5, 1), QTime(8, 0, path.endsWith("+1") ? 1 : 0))});
    return list;
}

QStringList paths(const PictureList& list) {
    QStringList out;
    for (const PictureEntry& entry : list)
        out.append(entry.path);
    return out;
}

} // namespace

// By name: the whole path in lower case by code points (umlauts after "z", no number order), the
// folder first. Equal keys end up as the gapped insertion sort leaves them: the gap 3 pass swaps
// the outer pair, the gap 1 pass leaves ties alone.
TEST(PictureOrder, OrderRules) {
    const struct {
        int mode;
        QStringList in, out;
    } cases[] = {
        {OrderByName,
         {"/p/B.jpg", "/p/a.jpg", "/p/b.jpg", "/p/A.jpg"},
         {"/p/A.jpg", "/p/a.jpg", "/p/b.jpg", "/p/B.jpg"}},
        {OrderByName, {"/p/IMG9.jpg", "/p/IMG10.jpg"}, {"/p/IMG10.jpg", "/p/IMG9.jpg"}},
        {OrderByName,
         {"/p/Äz.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/apfel.jpg"},
         {"/p/apfel.jpg", "/p/zebra.jpg", "/p/äa.jpg", "/p/Äz.jpg"}},
        {OrderByName, {"/b/a.jpg", "/a/z.jpg", "/A/m.jpg"}, {"/A/m.jpg", "/a/z.jpg", "/b/a.jpg"}},
        {OrderByDate, {"a+1", "b", "c+1", "d"}, {"d", "b", "c+1", "a+1"}},
        {OrderNone, {"/c", "/a", "/b"}, {"/c", "/a", "/b"}},
        {3, {"/c", "/a", "/b"}, {"/c", "/a", "/b"}}, // an unknown mode keeps the order too
        {OrderRandom, {"/only.jpg"}, {"/only.jpg"}},
    };
    for (const auto& c : cases) {
        PictureList list = entries(c.in);
        SortPictures(list, c.mode);
        EXPECT_EQ(paths(list), c.out) << c.mode << ": " << c.in.join(' ').toStdString();
    }
    // Folders: case-sensitive, by code points.
    QStringList folders = {"/b/", "/😀/", "/ä/", "/B/", "/～/", "/a/", "/z/"};
    SortFolderNames(folders);
    EXPECT_EQ(folders, QStringList({"/B/", "/a/", "/b/", "/z/", "/ä/", "/～/", "/😀/"}));
}

// Two shuffles of 1000 entries coincide with a chance of 1 in 1000!.
TEST(PictureOrder, ShuffleIsAFreshPermutation) {
    QStringList numbers;
    for (int i = 0; i < 1000; ++i)
        numbers.append(QString::number(i));
    PictureList first = entries(numbers), second = entries(numbers);
    SortPictures(first, OrderRandom);
    SortPictures(second, OrderRandom);
    EXPECT_NE(paths(first), paths(second));
    EXPECT_NE(paths(first), numbers);
    QStringList sorted = paths(first);
    std::ranges::sort(sorted, {}, [](const QString& s) { return s.toInt(); });
    EXPECT_EQ(sorted, numbers);
}

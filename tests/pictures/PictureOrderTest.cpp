#include "pictures/PictureOrder.h"

#include <QDateTime>
#include <gtest/gtest.h>

// The paths sorted by `mode`; those ending in "+1" were modified a second after the others.
static QStringList Sorted(const QStringList& paths, int mode) {
    PictureList list;
    for (const QString& path : paths)
        list.push_back({path, QDateTime(QDate(2020, 5, 1), QTime(8, 0, path.endsWith("+1") ? 1 : 0))});
    SortPictures(list, mode);
    QStringList out;
    for (const PictureEntry& entry : list)
        out.append(entry.path);
    return out;
}

// By name: the whole path in lower case by code points (umlauts after "z", no number order), the
// folder first. Equal keys end up as the gapped insertion sort leaves them: the gap 3 pass swaps
// the outer pair, the gap 1 pass leaves ties alone.
TEST(PictureOrder, OrderRules) {
    const std::tuple<int, QString, QString> cases[] = {
        {OrderByName, "/p/B /p/a /p/b /p/A", "/p/A /p/a /p/b /p/B"},
        {OrderByName, "/p/IMG9 /p/IMG10", "/p/IMG10 /p/IMG9"},
        {OrderByName, "/p/Äz /p/zebra /p/äa /p/apfel", "/p/apfel /p/zebra /p/äa /p/Äz"},
        {OrderByName, "/b/a /a/z /A/m", "/A/m /a/z /b/a"},
        {OrderByDate, "a+1 b c+1 d", "d b c+1 a+1"}, // "+1": a second later
        {OrderNone, "/c /a /b", "/c /a /b"},
        {3, "/c /a /b", "/c /a /b"}, // an unknown mode keeps the order too
        {OrderRandom, "/only.jpg", "/only.jpg"},
    };
    for (const auto& [mode, in, out] : cases)
        EXPECT_EQ(Sorted(in.split(' '), mode).join(' '), out) << mode << ": " << in.toStdString();
    // Folders: case-sensitive, by code points.
    QStringList folders = {"/b/", "/😀/", "/ä/", "/B/", "/～/", "/a/", "/z/"};
    SortFolderNames(folders);
    EXPECT_EQ(folders, QStringList({"/B/", "/a/", "/b/", "/z/", "/ä/", "/～/", "/😀/"}));
    // Two shuffles of 5000 entries coincide with a chance of 1 in 5000!; sorted by name again, every
    // entry is there once. Names that differ only in case compare equal and never move.
    QStringList numbers;
    for (int i = 0; i < 5000; ++i)
        numbers.append(QString::number(i));
    const QStringList shuffled = Sorted(numbers, OrderRandom);
    EXPECT_NE(shuffled, Sorted(numbers, OrderRandom));
    numbers.sort();
    EXPECT_EQ(Sorted(shuffled, OrderByName), numbers);
    QStringList spellings;
    for (const QString& number : shuffled) {
        QString name(13, 'a');
        for (int bit = 0; bit < 13; ++bit)
            if (number.toInt() >> bit & 1) name[bit] = 'A';
        spellings.append(name);
    }
    EXPECT_EQ(Sorted(spellings, OrderByName), spellings);
}

#include "calendar/CalendarSyntax.h"
#include "calendar/CalendarFile.h"
#include "calendar/GappedSort.h"

#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

TEST(CalendarSyntax, Dates) {
    struct Case {
        const char* text;
        QDate expected; // the year if missing is 2007
    };
    const Case cases[] = {
        {"17.05.2007", {2007, 5, 17}},
        {"7.5.2007", {2007, 5, 7}},
        {"17.05.2007.", {2007, 5, 17}},
        {" 1 7 . 0 5 . 2 0 0 7 ", {2007, 5, 17}},
        {"24.12.", {2007, 12, 24}},
        {"24.12", {2007, 12, 24}},
        {"29.02.2008", {2008, 2, 29}},
        {"01.01.0001", {1, 1, 1}},
        {"31.12.9999", {9999, 12, 31}},
        {"29.02.2007", {}},
        {"29.02.", {}}, // 2007 has none
        {"31.04.2007", {}},
        {"00.01.2007", {}},
        {"01.13.2007", {}},
        {"17.05.07", {}}, // two-digit years are not guessed
        {"01.01.0000", {}},
        {"01.01.10000", {}},
        {"17.05.2007..", {}},
        {"17-05-2007", {}},
        {"+1.05.2007", {}},
        {"17.05.2007.1", {}},
        {"17", {}},
        {"", {}},
        {"..", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCalendarDate(QString::fromUtf8(c.text), 2007), c.expected) << c.text;
    EXPECT_EQ(ParseCalendarDate(u"29.02.", 2008), QDate(2008, 2, 29));
    EXPECT_TRUE(ParseCalendarDate(u"01.01.", 10000).isNull());
}

TEST(CalendarSyntax, Colours) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"#FF0000", 0x0000FF},
        {"#0000FF", 0xFF0000},
        {"#00a000", 0x00A000},
        {"#123456", 0x563412},
        {"#FF", 0x0000FF},
        {"#F", 0x00000F},
        {"#12345678", 0x563412},
        {"#", 0},
        {"#GG0000", 0},
        {"#123456789", 0},
        {"# FF0000", 0},
        {"&h0000FF", 0x0000FF},
        {"&H00FFFF", 0x00FFFF},
        {"&hFFFFFFFF", -1},
        {"&h", 0},
        {"&hXYZ", 0},
        {"16744448", 16744448},
        {"  255  ", 255},
        {"-1", -1},
        {"1.5", 0},
        {"rot", 0},
        {"", 0},
        {"99999999999", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColor(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(CalendarFile, DecodesUtf8AndWindows1252) {
    const QString keywords = QString::fromUtf8("müll jährlich wöchentlich Buß €");
    EXPECT_EQ(DecodeCalendarText(keywords.toUtf8()), keywords);
    EXPECT_EQ(DecodeCalendarText("\xEF\xBB\xBF" + keywords.toUtf8()), keywords);
    EXPECT_EQ(DecodeCalendarText("m\xFCll j\xE4hrlich w\xF6"
                                 "chentlich Bu\xDF \x80"),
              keywords);
    EXPECT_EQ(DecodeCalendarText("\x81\x9F"), QString::fromUtf16(u"\uFFFD\u0178"));
}

TEST(CalendarFile, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitCalendarLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitCalendarLines("a\r\n\r\nb\n"), QStringList({"a", "", "b", ""}));
    EXPECT_EQ(SplitCalendarLines("a\n\rb"), QStringList({"a", "", "b"}));
}

TEST(GappedSort, SortsLikeTheLibrary) {
    std::mt19937 random(7);
    for (int n = 0; n < 70; ++n) {
        std::vector<int> values(n);
        for (int& v : values)
            v = int(random() % 20);
        std::vector<int> expected = values;
        std::sort(expected.begin(), expected.end());
        GappedInsertionSort(values, std::greater<int>());
        EXPECT_EQ(values, expected) << n;
    }
}

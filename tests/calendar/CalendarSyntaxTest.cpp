#include "calendar/CalendarSyntax.h"
#include "calendar/CalendarFile.h"

#include <QString>
#include <gtest/gtest.h>

TEST(CalendarSyntax, Dates) {
    const std::pair<const char*, QDate> cases[] = {
        {"17.05.2007", {2007, 5, 17}},
        {"7.5.2007.", {2007, 5, 7}},
        {" 1 7 . 0 5 . 2 0 0 7 ", {2007, 5, 17}},
        {"24.12.", {2007, 12, 24}},
        {"24.12", {2007, 12, 24}},
        {"29.02.2008", {2008, 2, 29}},
        {"01.01.0001", {1, 1, 1}},
        {"31.12.9999", {9999, 12, 31}},
        {"29.02.2007", {}},
        {"29.02.", {}},
        {"31.04.2007", {}},
        {"00.01.2007", {}},
        {"01.13.2007", {}},
        {"17.05.07", {}}, // no guessing of centuries
        {"01.01.0000", {}},
        {"01.01.10000", {}},
        {"17.05.2007..", {}},
        {"17-05-2007", {}},
        {"+1.05.2007", {}},
        {"17", {}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseCalendarDate(QString::fromUtf8(text), 2007), expected) << text;
    EXPECT_EQ(ParseCalendarDate(u"29.02.", 2008), QDate(2008, 2, 29));
}

TEST(CalendarSyntax, Colours) {
    const std::pair<const char*, int> cases[] = {
        {"#FF0000", 0x0000FF},
        {"#00a000", 0x00A000},
        {"#123456", 0x563412},
        {"#FF", 0x0000FF},
        {"#F", 0x00000F},
        {"#12345678", 0x563412},
        {"#", 0},
        {"#GG0000", 0},
        {"#123456789", 0},
        {"&h0000FF", 0x0000FF},
        {"&H00FFFF", 0x00FFFF},
        {"&hFFFFFFFF", -1},
        {"&h", 0},
        {"16744448", 16744448},
        {"  255  ", 255},
        {"1.5", 0},
        {"rot", 0},
        {"", 0},
        {"99999999999", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseColor(QString::fromUtf8(text)), expected) << text;
}

TEST(CalendarFile, DecodesUtf8AndWindows1252AndSplitsLines) {
    const QString keywords = QString::fromUtf8("müll jährlich wöchentlich Buß €");
    EXPECT_EQ(DecodeCalendarText(keywords.toUtf8()), keywords);
    EXPECT_EQ(DecodeCalendarText("\xEF\xBB\xBF" + keywords.toUtf8()), keywords);
    EXPECT_EQ(DecodeCalendarText("\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(keywords.utf16()),
                                                         keywords.size() * 2)),
              keywords);
    EXPECT_EQ(DecodeCalendarText("m\xFCll j\xE4hrlich w\xF6"
                                 "chentlich Bu\xDF \x80"),
              keywords);
    EXPECT_EQ(SplitCalendarLines("a\r\nb\nc\rd\r\n\r\ne\n\r"),
              QStringList({"a", "b", "c", "d", "", "e", "", ""}));
}

#pragma once

#include <QDate>
#include <QStringView>
#include <optional>

// Colours are 32-bit COLORREF values: red in the low byte, then green, then blue.
constexpr int Rgb(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}

// The oldest and the newest year a date of the calendar may have.
constexpr int kFirstCalendarYear = 1;
constexpr int kLastCalendarYear = 9999;

// Day, month and optional year as written in the calendar data file.
struct WrittenDate {
    int day = 0;
    int month = 0;
    std::optional<int> year;
};

// "d.m.yyyy", "dd.mm.yyyy", "dd.mm." or "d.m": every space is ignored and one trailing "." dropped.
// Day and month must exist in some year (29.02. does), a year has exactly four digits (0001 to 9999):
// two-digit years are refused rather than guessed. Anything else gives nothing.
std::optional<WrittenDate> ParseWrittenDate(QStringView text);

// The date of `text`; without a year it lies in `yearIfMissing`. Null when unreadable or when the day
// does not exist in its year (31.04., 29.02.2007).
QDate ParseCalendarDate(QStringView text, int yearIfMissing);

// Day and month placed in `year`; a day beyond the month's end runs on into the next month (29 February
// of a common year is 1 March). Null outside the calendar's years.
QDate DayMonthInYear(int day, int month, int year);

// "#RRGGBB" (a missing pair counts as 0), "&hBBGGRR" or a decimal number, surrounding spaces allowed;
// anything else gives 0 (black).
int ParseColor(QStringView text);

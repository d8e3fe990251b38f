#include "calendar/IsoWeek.h"

namespace {

// 1 = Sunday ... 7 = Saturday.
int sundayFirstWeekday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

// Division rounding toward minus infinity, for the days before a year's first Monday.
int floorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

} // namespace

int IsoWeekNumber(const QDate& date) {
    const QDate january1(date.year(), 1, 1);
    const int w = sundayFirstWeekday(january1);
    const int n = floorDiv((w + 1) % 7 + int(january1.daysTo(date)) - 3, 7) + 1;
    if (n == 0) return IsoWeekNumber(QDate(date.year() - 1, 12, 31));
    // Week 53 exists only when 31 December is a Thursday or later; else those days open week 1.
    if (n == 53 && (sundayFirstWeekday(QDate(date.year(), 12, 31)) - 1) % 7 <= 3) return 1;
    return n;
}

int MonthWeekCount(const QDate& first, const QDate& last) {
    int n = IsoWeekNumber(last) - IsoWeekNumber(first) + 1;
    // A January whose first days close the previous year's last week.
    if (n < 0) n = IsoWeekNumber(last) - IsoWeekNumber(first.addDays(7)) + 2;
    // A December whose last days open the next year's week 1.
    if (n < 0) n = IsoWeekNumber(last.addDays(-7)) - IsoWeekNumber(first) + 2;
    return n;
}

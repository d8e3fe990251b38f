#include "calendar/IsoWeek.h"

#include <gtest/gtest.h>

TEST(IsoWeek, AgreesWithQtForEveryDayFrom1900To2100) {
    for (QDate day(1900, 1, 1); day.year() <= 2100; day = day.addDays(1))
        ASSERT_EQ(IsoWeekNumber(day), day.weekNumber()) << day.toString(Qt::ISODate).toStdString();
}

TEST(IsoWeek, MonthRowsAndTheirWeekNumbers) {
    struct Case {
        const char* what;
        QDate first;
        int rows, firstWeek, lastWeek;
    };
    const Case cases[] = {
        {"January opening in the previous year's week 53", {2021, 1, 1}, 5, 53, 4},
        {"December closing in next year's week 1, 1st a Sunday", {2024, 12, 1}, 6, 48, 1},
        {"common February starting on a Monday", {2021, 2, 1}, 4, 5, 8},
        {"31 days from a Sunday", {2021, 8, 1}, 6, 30, 35},
        {"January opening in week 52", {2022, 1, 1}, 6, 52, 5},
    };
    for (const Case& c : cases) {
        const QDate last = c.first.addMonths(1).addDays(-1);
        const int rows = MonthWeekCount(c.first, last);
        const QDate firstMonday = c.first.addDays(1 - c.first.dayOfWeek());
        EXPECT_EQ(rows, c.rows) << c.what;
        EXPECT_EQ(IsoWeekNumber(firstMonday), c.firstWeek) << c.what;
        EXPECT_EQ(IsoWeekNumber(firstMonday.addDays(7 * (rows - 1))), c.lastWeek) << c.what;
    }
}

TEST(IsoWeek, RowsCoverEveryMonthFrom1900To2100) {
    for (int year = 1900; year <= 2100; ++year)
        for (int month = 1; month <= 12; ++month) {
            const QDate first(year, month, 1);
            // Days before the 1st in its week, plus the month's days, in whole weeks.
            const int rows = (first.dayOfWeek() - 1 + first.daysInMonth() + 6) / 7;
            ASSERT_EQ(MonthWeekCount(first, first.addMonths(1).addDays(-1)), rows) << year << "-" << month;
        }
}

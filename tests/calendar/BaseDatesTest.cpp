#include "calendar/YearBaseDates.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace {

// Weekday from the Julian Day number alone (0 = Sunday), independent of the date library's numbering.
int Weekday(const QDate& date) {
    return int((date.toJulianDay() + 1) % 7);
}

} // namespace

TEST(BaseDates, EasterSundayMatchesThePublishedTable) {
    QFile table(VELOMIRA_SOURCE_DIR "/../shared/data/easter-sunday-1600-2499.csv");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    int years = 0;
    while (!table.atEnd()) {
        const QStringList fields = QString::fromUtf8(table.readLine()).trimmed().split(u',');
        const QDate expected = QDate::fromString(fields.value(1), Qt::ISODate);
        if (!expected.isValid()) continue;
        ++years;
        EXPECT_EQ(ComputeYearBaseDates(fields[0].toInt()).EasterSunday, expected) << fields[0].toStdString();
    }
    EXPECT_EQ(years, 900);
}

// Easter Sunday is covered by the table above.
TEST(BaseDates, KnownYears) {
    using B = YearBaseDates;
    const std::tuple<int, QDate B::*, QDate> cases[] = {
        {2006, &B::PenanceDay, {2006, 11, 22}},
        {2010, &B::PenanceDay, {2010, 11, 17}},
        {2012, &B::PenanceDay, {2012, 11, 21}},
        {2026, &B::PenanceDay, {2026, 11, 18}},
        {2006, &B::FourthAdvent, {2006, 12, 24}},
        {2007, &B::FourthAdvent, {2007, 12, 23}},
        {2007, &B::MothersDay, {2007, 5, 13}},
        {2011, &B::MothersDay, {2011, 5, 8}},
        {2006, &B::HarvestFestival, {2006, 10, 1}},
        {2007, &B::HarvestFestival, {2007, 10, 7}},
        {2007, &B::SummerTimeStart, {2007, 3, 25}},
        {2007, &B::SummerTimeEnd, {2007, 10, 28}},
        {10000, &B::EasterSunday, {}},
    };
    for (const auto& [year, field, expected] : cases)
        EXPECT_EQ(ComputeYearBaseDates(year).*field, expected) << year;
}

// The defining properties of every base date, for every year of the Easter table.
TEST(BaseDates, EveryYearMeetsTheDefinitions) {
    for (int year = 1600; year < 2500; ++year) {
        const YearBaseDates b = ComputeYearBaseDates(year);
        const qint64 toNov23 = b.PenanceDay.daysTo(QDate(year, 11, 23));
        EXPECT_TRUE(Weekday(b.PenanceDay) == 3 && toNov23 >= 1 && toNov23 <= 7) << year;
        const qint64 toEve = b.FourthAdvent.daysTo(QDate(year, 12, 24));
        EXPECT_TRUE(toEve >= 0 && toEve <= 6) << year;
        for (const QDate& d : {b.EasterSunday, b.FourthAdvent, b.MothersDay, b.HarvestFestival,
                               b.SummerTimeStart, b.SummerTimeEnd})
            EXPECT_EQ(Weekday(d), 0) << year;
        EXPECT_TRUE(b.MothersDay.month() == 5 && b.MothersDay.day() >= 8 && b.MothersDay.day() <= 14) << year;
        EXPECT_TRUE(b.HarvestFestival.month() == 10 && b.HarvestFestival.day() <= 7) << year;
        EXPECT_TRUE(b.SummerTimeStart.month() == 3 && b.SummerTimeStart.day() >= 25) << year;
        EXPECT_TRUE(b.SummerTimeEnd.month() == 10 && b.SummerTimeEnd.day() >= 25) << year;
    }
}

TEST(BaseDates, HolidayDateOfALine) {
    const YearBaseDates y2007 = ComputeYearBaseDates(2007), y2028 = ComputeYearBaseDates(2028);
    const std::tuple<const char*, const char*, const YearBaseDates&, QDate> cases[] = {
        {"Ostern", "-2", y2007, {2007, 4, 6}},
        {"Ostern", " 60 ", y2007, {2007, 6, 7}},
        {"Advent", "-21", y2007, {2007, 12, 2}},
        {"Buß- und Bettag", "0", y2007, {2007, 11, 21}},
        {"", "03.10.1990", y2007, {2007, 10, 3}},    // only day and month count
        {"ostern", "24.12.", y2007, {2007, 12, 24}}, // base names are exact: a fixed date
        {"ostern", "-2", y2007, {}},
        {"Ostern", "zwei", y2007, {}},
        {"", "29.02.", y2007, {2007, 3, 1}},
        {"", "29.02.", y2028, {2028, 2, 29}},
        {"", "30.02.", y2028, {}},
        {"Ostern", "-900000", y2007, {}}, // before year 1
    };
    for (const auto& [base, offsetOrDate, bases, expected] : cases)
        EXPECT_EQ(HolidayDate(QString::fromUtf8(base), QString::fromUtf8(offsetOrDate), bases), expected)
            << base << ";" << offsetOrDate;
}

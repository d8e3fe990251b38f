#include "calendar/YearBaseDates.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace {

// Weekday from the Julian Day number alone (0 = Sunday ... 6 = Saturday), so that the checks below do
// not lean on the date library's weekday numbering.
int Weekday(const QDate& date) {
    return int((date.toJulianDay() + 1) % 7);
}
constexpr int kSunday = 0;
constexpr int kWednesday = 3;

} // namespace

TEST(BaseDates, EasterSundayMatchesThePublishedTable) {
    QFile table(VELOMIRA_SOURCE_DIR "/../shared/data/easter-sunday-1600-2499.csv");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    int years = 0;
    while (!table.atEnd()) {
        const QString line = QString::fromUtf8(table.readLine()).trimmed();
        const QStringList fields = line.split(u',');
        if (fields.size() != 2 || !fields[0].front().isDigit()) continue;
        const int year = fields[0].toInt();
        EXPECT_EQ(EasterSunday(year), QDate::fromString(fields[1], Qt::ISODate)) << year;
        EXPECT_EQ(ComputeYearBaseDates(year).EasterSunday, EasterSunday(year));
        ++years;
    }
    EXPECT_EQ(years, 900);
}

TEST(BaseDates, KnownYears) {
    struct Case {
        int year;
        QDate YearBaseDates::*field;
        QDate expected;
    };
    const Case cases[] = {
        {2000, &YearBaseDates::EasterSunday, {2000, 4, 23}},
        {2008, &YearBaseDates::EasterSunday, {2008, 3, 23}},
        {2011, &YearBaseDates::EasterSunday, {2011, 4, 24}},
        {2038, &YearBaseDates::EasterSunday, {2038, 4, 25}},
        {1981, &YearBaseDates::EasterSunday, {1981, 4, 19}},
        {1954, &YearBaseDates::EasterSunday, {1954, 4, 18}},
        {2049, &YearBaseDates::EasterSunday, {2049, 4, 18}},
        {2076, &YearBaseDates::EasterSunday, {2076, 4, 19}},
        {2006, &YearBaseDates::PenanceDay, {2006, 11, 22}},
        {2007, &YearBaseDates::PenanceDay, {2007, 11, 21}},
        {2010, &YearBaseDates::PenanceDay, {2010, 11, 17}},
        {2012, &YearBaseDates::PenanceDay, {2012, 11, 21}},
        {2026, &YearBaseDates::PenanceDay, {2026, 11, 18}},
        {2006, &YearBaseDates::FourthAdvent, {2006, 12, 24}},
        {2007, &YearBaseDates::FourthAdvent, {2007, 12, 23}},
        {2007, &YearBaseDates::MothersDay, {2007, 5, 13}},
        {2011, &YearBaseDates::MothersDay, {2011, 5, 8}},
        {2006, &YearBaseDates::HarvestFestival, {2006, 10, 1}},
        {2007, &YearBaseDates::HarvestFestival, {2007, 10, 7}},
        {2007, &YearBaseDates::SummerTimeStart, {2007, 3, 25}},
        {2007, &YearBaseDates::SummerTimeEnd, {2007, 10, 28}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeYearBaseDates(c.year).*c.field, c.expected) << c.year;
}

// The defining properties of every base date, for every year of the Easter table.
TEST(BaseDates, EveryYearMeetsTheDefinitions) {
    for (int year = 1600; year < 2500; ++year) {
        const YearBaseDates b = ComputeYearBaseDates(year);
        const int toNov23 = int(b.PenanceDay.daysTo(QDate(year, 11, 23)));
        EXPECT_TRUE(Weekday(b.PenanceDay) == kWednesday && toNov23 >= 1 && toNov23 <= 7) << year;
        const int toEve = int(b.FourthAdvent.daysTo(QDate(year, 12, 24)));
        EXPECT_TRUE(Weekday(b.FourthAdvent) == kSunday && toEve >= 0 && toEve <= 6) << year;
        const QDate sundays[] = {b.EasterSunday, b.MothersDay, b.HarvestFestival, b.SummerTimeStart,
                                 b.SummerTimeEnd};
        for (const QDate& d : sundays)
            EXPECT_EQ(Weekday(d), kSunday) << year << " " << d.toString(Qt::ISODate).toStdString();
        EXPECT_TRUE(b.MothersDay.month() == 5 && b.MothersDay.day() >= 8 && b.MothersDay.day() <= 14);
        EXPECT_TRUE(b.HarvestFestival.month() == 10 && b.HarvestFestival.day() <= 7);
        EXPECT_TRUE(b.SummerTimeStart.month() == 3 && b.SummerTimeStart.day() >= 25);
        EXPECT_TRUE(b.SummerTimeEnd.month() == 10 && b.SummerTimeEnd.day() >= 25);
    }
}

TEST(BaseDates, HolidayDateOfALine) {
    const YearBaseDates b2007 = ComputeYearBaseDates(2007);
    const YearBaseDates b2028 = ComputeYearBaseDates(2028);
    struct Case {
        const char16_t* base;
        const char16_t* offsetOrDate;
        const YearBaseDates& bases;
        QDate expected;
    };
    const Case cases[] = {
        {u"Ostern", u"-2", b2007, {2007, 4, 6}},
        {u"Ostern", u" 60 ", b2007, {2007, 6, 7}},
        {u"Advent", u"-21", b2007, {2007, 12, 2}},
        {u"Buß- und Bettag", u"0", b2007, {2007, 11, 21}},
        {u"Sommerende", u"0", b2007, {2007, 10, 28}},
        {u"", u"03.10.", b2007, {2007, 10, 3}},
        {u"", u"03.10.1990", b2007, {2007, 10, 3}},    // only day and month count
        {u"ostern", u"24.12.", b2007, {2007, 12, 24}}, // base names are exact: a fixed date
        {u"ostern", u"-2", b2007, {}},
        {u"Ostern", u"zwei", b2007, {}},
        {u"Ostern", u"", b2007, {}},
        {u"", u"29.02.", b2007, {2007, 3, 1}},
        {u"", u"29.02.", b2028, {2028, 2, 29}},
        {u"", u"30.02.", b2028, {}},
        {u"Ostern", u"-900000", b2007, {}}, // before year 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(HolidayDate(c.base, c.offsetOrDate, c.bases), c.expected)
            << QString::fromUtf16(c.base).toStdString() << ";"
            << QString::fromUtf16(c.offsetOrDate).toStdString();
}

TEST(BaseDates, YearsOutsideTheCalendarHaveNoDates) {
    EXPECT_TRUE(ComputeYearBaseDates(0).EasterSunday.isNull());
    EXPECT_TRUE(ComputeYearBaseDates(10000).SummerTimeEnd.isNull());
    EXPECT_TRUE(HolidayDate(u"", u"01.01.", ComputeYearBaseDates(0)).isNull());
    EXPECT_EQ(ComputeYearBaseDates(1).EasterSunday.year(), 1);
    EXPECT_EQ(ComputeYearBaseDates(9999).FourthAdvent.year(), 9999);
}

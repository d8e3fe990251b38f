// The calendar's dates against published tables and independent definitions: Easter, the other movable
// days, ISO weeks, moon phases and the local day a phase falls on.
#include "app/Clock.h"
#include "calendar/IsoWeek.h"
#include "calendar/MoonPhases.h"
#include "calendar/TimeZone.h"
#include "calendar/YearBaseDates.h"

#include <QFile>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

// The data rows of a table in ../shared/data, split at commas.
std::vector<QStringList> Table(const char* name) {
    QFile file(QStringLiteral(VELOMIRA_SOURCE_DIR "/../shared/data/") + name);
    std::vector<QStringList> rows;
    if (file.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
            if (!line.isEmpty() && line[0].isDigit()) rows.push_back(line.trimmed().split(u','));
    return rows;
}

// "yyyy-MM-dd hh:mm[:ss]" in Universal Time.
const auto Utc = [](const QString& text) { return QDateTime::fromString(text + "Z", Qt::ISODate).toUTC(); };

} // namespace

TEST(BaseDates, EasterSundayMatchesThePublishedTable) {
    const std::vector<QStringList> rows = Table("easter-sunday-1600-2499.csv");
    ASSERT_EQ(rows.size(), 900u);
    for (const QStringList& row : rows)
        EXPECT_EQ(ComputeYearBaseDates(row[0].toInt()).EasterSunday, QDate::fromString(row[1], Qt::ISODate))
            << row[0].toStdString();
    EXPECT_FALSE(ComputeYearBaseDates(10000).EasterSunday.isValid());
}

TEST(BaseDates, EveryYearMeetsTheDefinitions) {
    // That weekday (0 = Sunday) of the month, from the day `from` to `from` + 6.
    const auto within = [](const QDate& d, int weekday, int month, int from) {
        return d.dayOfWeek() % 7 == weekday && d.month() == month && d.day() >= from && d.day() <= from + 6;
    };
    for (int year = 1600; year < 2500; ++year) {
        const YearBaseDates b = ComputeYearBaseDates(year);
        EXPECT_TRUE(within(b.PenanceDay, 3, 11, 16) && within(b.FourthAdvent, 0, 12, 18) &&
                    within(b.MothersDay, 0, 5, 8) && within(b.HarvestFestival, 0, 10, 1) &&
                    within(b.SummerTimeStart, 0, 3, 25) && within(b.SummerTimeEnd, 0, 10, 25))
            << year;
    }
}

TEST(BaseDates, HolidayDateOfALine) {
    // Base; offset or date; year; the day, empty for none. Base names are exact, case included.
    for (const char* row :
         {"Ostern; 60 ;2007;2007-06-07", "Advent;-21;2007;2007-12-02", "Buß- und Bettag;0;2007;2007-11-21",
          ";03.10.1990;2007;2007-10-03", "ostern;24.12.;2007;2007-12-24", "ostern;-2;2007;",
          "Ostern;zwei;2007;", ";29.02.;2007;2007-03-01", ";29.02.;2028;2028-02-29", ";30.02.;2028;"}) {
        const QStringList f = QString::fromUtf8(row).split(u';');
        EXPECT_EQ(HolidayDate(f[0], f[1], ComputeYearBaseDates(f[2].toInt())).toString(Qt::ISODate), f[3])
            << row;
    }
}

TEST(IsoWeek, AgreesWithQtAndCountsTheRowsOfEveryMonthFrom1900To2100) {
    for (QDate day(1900, 1, 1); day.year() <= 2100; day = day.addDays(1)) {
        ASSERT_EQ(IsoWeekNumber(day), day.weekNumber()) << day.toString(Qt::ISODate).toStdString();
        // Rows from Monday to Sunday: the days before the 1st in its week plus the month's days.
        if (day.day() != 1) continue;
        ASSERT_EQ(MonthWeekCount(day, day.addMonths(1).addDays(-1)),
                  (day.dayOfWeek() - 1 + day.daysInMonth() + 6) / 7)
            << day.toString(Qt::ISODate).toStdString();
    }
}

// Every phase of the table within minutes, and found once on its own Universal-Time day (or a
// neighbouring one when it lies within minutes of midnight).
TEST(MoonPhases, AgreeWithTheReferenceTable1990To2040) {
    std::map<std::pair<QDate, int>, int> computed; // (Universal-Time day, symbol): times found
    size_t count = 0;
    for (int year = 1990; year <= 2040; ++year) {
        std::vector<MoonPhaseEntry> phases; // offset 0 and no summer window: Universal-Time days
        AddMoonPhasesOfYear(phases, year, QDate(year, 12, 31), QDate(year, 1, 1), 0);
        for (const MoonPhaseEntry& p : phases)
            ++computed[{p.Date, p.Symbol}];
        count += phases.size();
    }
    // The index in PhaseHunt and the symbol of each phase.
    const std::map<QString, std::pair<int, int>> phases{
        {"new", {4, 68}}, {"first_quarter", {1, 69}}, {"full", {2, 65}}, {"last_quarter", {3, 67}}};
    const std::vector<QStringList> rows = Table("moon-phases-ut-1990-2040.csv");
    ASSERT_EQ(rows.size(), 2523u);
    EXPECT_EQ(count, rows.size()) << "phases that are not in the table";
    for (const QStringList& row : rows) {
        const QDateTime at = Utc(row[0]);
        const auto [index, symbol] = phases.at(row[1]);
        // Three days before the phase lies in the lunation before it: a new moon is that one's end.
        const double jd = PhaseHunt(DateToJulianDay(at.addDays(-3)))[index];
        EXPECT_LT(std::abs(jd - DateToJulianDay(at)) * 24 * 60, 20) << row[0].toStdString();
        const int minute = at.time().hour() * 60 + at.time().minute();
        int found = computed[{at.date(), symbol}];
        if (std::min(minute, 1440 - minute) < 20)
            found += computed[{at.date().addDays(-1), symbol}] + computed[{at.date().addDays(1), symbol}];
        EXPECT_EQ(found, 1) << row[0].toStdString();
    }
}

TEST(MoonPhases, LocalDaysInGermany) {
    SetClock([] { return Utc("2026-07-01 12:00"); }); // in summer, the winter offset still counts
    const std::pair<QTimeZone, int> zones[] = {{QTimeZone(19800), 6},
                                               {QTimeZone(16200), 4},
                                               {QTimeZone("Europe/Berlin"), 1},
                                               {QTimeZone("Europe/Dublin"), 0},
                                               {QTimeZone("Australia/Sydney"), 10},
                                               {QTimeZone(), 0}};
    for (const auto& [zone, expected] : zones)
        EXPECT_EQ(TimeZoneOffsetHours(zone), expected) << zone.id().toStdString();
    SetClock({});

    // The first quarter of 25 January 2007 23:03 UT; the full moon of 23 September 1991 22:40 UT, in
    // summer time.
    for (const auto& [date, symbol] : {std::pair{QDate(2007, 1, 26), 69}, {QDate(1991, 9, 24), 65}}) {
        const YearBaseDates b = ComputeYearBaseDates(date.year());
        std::vector<MoonPhaseEntry> phases;
        AddMoonPhasesOfYear(phases, date.year(), b.SummerTimeStart, b.SummerTimeEnd, 1);
        const auto on = [&](auto& p) { return p.Date == date && p.Symbol == symbol; };
        EXPECT_EQ(std::ranges::count_if(phases, on), 1) << date.toString(Qt::ISODate).toStdString();
    }
}

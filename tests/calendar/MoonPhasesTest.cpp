#include "calendar/MoonPhases.h"
#include "app/Clock.h"
#include "calendar/TimeZone.h"
#include "calendar/YearBaseDates.h"

#include <QFile>
#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <map>

namespace {

QDateTime Utc(int y, int mo, int d, int h = 0, int mi = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
}

std::vector<MoonPhaseEntry> PhasesOf(int year, int offsetHours) {
    const YearBaseDates bases = ComputeYearBaseDates(year);
    std::vector<MoonPhaseEntry> phases;
    AddMoonPhasesOfYear(phases, year, bases.SummerTimeStart, bases.SummerTimeEnd, offsetHours);
    return phases;
}

int Count(const std::vector<MoonPhaseEntry>& phases, const QDate& date, int symbol) {
    return int(std::count_if(phases.begin(), phases.end(),
                             [&](const MoonPhaseEntry& p) { return p.Date == date && p.Symbol == symbol; }));
}

} // namespace

TEST(MoonPhases, JulianDays) {
    EXPECT_DOUBLE_EQ(DateToJulianDay(Utc(2000, 1, 1)), 2451544.5);
    EXPECT_EQ(JulianDayToDate(2451545.0), Utc(2000, 1, 1, 12));
    EXPECT_EQ(JulianDayToDate(2299160.5), Utc(1582, 10, 15));
    EXPECT_DOUBLE_EQ(DateToJulianDay(QDateTime(QDate(1957, 10, 4), QTime(19, 26, 24), Qt::UTC)), 2436116.31);
    EXPECT_FALSE(JulianDayToDate(NAN).isValid());
}

// Every phase of the independent table is found once, on its own Universal-Time day unless it lies
// within minutes of midnight, and each instant agrees within minutes.
TEST(MoonPhases, AgreeWithTheReferenceTable1990To2040) {
    std::map<std::pair<QDate, int>, int> computed; // (UT day, symbol) -> times found
    for (int year = 1990; year <= 2040; ++year) {
        std::vector<MoonPhaseEntry> phases; // offset 0 and an empty summer window: Universal-Time days
        AddMoonPhasesOfYear(phases, year, QDate(year, 12, 31), QDate(year, 1, 1), 0);
        for (const MoonPhaseEntry& p : phases)
            ++computed[{p.Date, p.Symbol}];
    }
    QFile table(VELOMIRA_SOURCE_DIR "/../shared/data/moon-phases-ut-1990-2040.csv");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    const std::map<QString, int> phaseIndex{
        {"new", 0}, {"first_quarter", 1}, {"full", 2}, {"last_quarter", 3}};
    constexpr int kSymbols[] = {68, 69, 65, 67};
    constexpr double kToleranceMinutes = 20;
    double worst = 0;
    size_t count = 0;
    while (!table.atEnd()) {
        const QStringList fields = QString::fromUtf8(table.readLine()).trimmed().split(u',');
        if (fields.size() != 2 || phaseIndex.count(fields[1]) == 0) continue;
        ++count;
        const QDateTime at = QDateTime::fromString(fields[0] + "Z", Qt::ISODate);
        const int index = phaseIndex.at(fields[1]);
        const std::array<double, 5> lunation = PhaseHunt(DateToJulianDay(at.addDays(-3)));
        const double jd =
            index == 0 ? lunation[4] : lunation[index]; // 3 days before a new moon: the lunation before
        const double minutes = std::abs(jd - DateToJulianDay(at)) * 24 * 60;
        worst = std::max(worst, minutes);
        EXPECT_LT(minutes, kToleranceMinutes) << fields[0].toStdString();

        const int symbol = kSymbols[index];
        const int fromMidnight = std::min(at.time().hour() * 60 + at.time().minute(),
                                          1440 - at.time().hour() * 60 - at.time().minute());
        const int own = computed[{at.date(), symbol}];
        const int nearby =
            computed[{at.date().addDays(-1), symbol}] + computed[{at.date().addDays(1), symbol}];
        EXPECT_EQ(fromMidnight < kToleranceMinutes ? own + nearby : own, 1) << fields[0].toStdString();
    }
    int found = 0;
    for (const auto& entry : computed)
        found += entry.second;
    EXPECT_EQ(count, 2523u);
    EXPECT_EQ(found, int(count));
    std::cout << "worst moon-phase difference against the reference: " << worst << " minutes\n";
}

TEST(MoonPhases, LocalDatesInCentralEurope) {
    const std::vector<MoonPhaseEntry> y2007 = PhasesOf(2007, 1), y1991 = PhasesOf(1991, 1);
    EXPECT_EQ(y2007.size(), 50u);
    for (size_t i = 1; i < y2007.size(); ++i)
        EXPECT_LT(y2007[i - 1].Date, y2007[i].Date);
    const std::tuple<const std::vector<MoonPhaseEntry>&, QDate, int> cases[] = {
        {y2007, {2007, 1, 3}, 65},   {y2007, {2007, 1, 11}, 67},
        {y2007, {2007, 1, 19}, 68},  {y2007, {2007, 1, 26}, 69}, // 25 January 23:03 UT
        {y2007, {2007, 3, 4}, 65},                               // 3 March 23:18 UT
        {y2007, {2007, 11, 10}, 68},                             // 9 November 23:04 UT
        {y1991, {1991, 9, 24}, 65},                              // 23 September 22:40 UT, in summer time
    };
    for (const auto& [phases, date, symbol] : cases)
        EXPECT_EQ(Count(phases, date, symbol), 1) << date.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(PhasesOf(2008, 1).front().Date, QDate(2008, 1, 8));
    for (const int year : {1, 9999}) {
        const std::vector<MoonPhaseEntry> remote = PhasesOf(year, 0);
        EXPECT_GE(remote.size(), 48u);
        EXPECT_TRUE(remote.front().Date.year() == year && remote.back().Date.year() == year);
    }
    EXPECT_TRUE(PhasesOf(10000, 0).empty());
}

TEST(TimeZone, StandardOffsetInWholeHours) {
    SetClock([] { return Utc(2026, 7, 1, 12); }); // in summer, the standard offset still counts
    const std::pair<QTimeZone, int> cases[] = {
        {QTimeZone(3600), 1},  {QTimeZone(-5 * 3600), -5},
        {QTimeZone(19800), 6}, {QTimeZone(16200), 4},
        {QTimeZone(0), 0},     {QTimeZone("Europe/Berlin"), 1},
        {QTimeZone(), 0},      {QTimeZone("America/New_York"), -5},
    };
    for (const auto& [zone, expected] : cases)
        EXPECT_EQ(TimeZoneOffsetHours(zone), expected) << zone.id().toStdString();
    SetClock({});
}

TEST(TimeZone, GermanSummerHour) {
    const YearBaseDates b = ComputeYearBaseDates(2007); // summer time 25 March to 28 October
    const std::tuple<QDateTime, int, QDateTime> cases[] = {
        {Utc(2007, 7, 15, 22, 30), 1, Utc(2007, 7, 16, 0, 30)},
        {Utc(2007, 1, 10, 22, 30), 1, Utc(2007, 1, 10, 23, 30)},
        {Utc(2007, 7, 15, 23, 30), 0, Utc(2007, 7, 16, 0, 30)}, // a zone without summer time gets it too
        {Utc(2007, 3, 24, 23, 0), 1, Utc(2007, 3, 25, 1, 0)},
        {Utc(2007, 3, 24, 22, 59), 1, Utc(2007, 3, 24, 23, 59)},
        {Utc(2007, 10, 27, 23, 0), 1, Utc(2007, 10, 28, 1, 0)}, // exactly the end is still summer
        {Utc(2007, 10, 27, 23, 1), 1, Utc(2007, 10, 28, 0, 1)},
        {Utc(2007, 7, 15, 2, 0), -5, Utc(2007, 7, 14, 22, 0)},
    };
    for (const auto& [ut, offset, expected] : cases)
        EXPECT_EQ(LocalPhaseDate(DateToJulianDay(ut), offset, b.SummerTimeStart, b.SummerTimeEnd), expected)
            << ut.toString(Qt::ISODate).toStdString();
}

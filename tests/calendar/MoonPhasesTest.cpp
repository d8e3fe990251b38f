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

QDateTime Utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

std::vector<MoonPhaseEntry> PhasesOf(int year, int offsetHours) {
    const YearBaseDates bases = ComputeYearBaseDates(year);
    std::vector<MoonPhaseEntry> phases;
    AddMoonPhasesOfYear(phases, year, bases.SummerTimeStart, bases.SummerTimeEnd, offsetHours);
    return phases;
}

struct ReferencePhase {
    QDateTime instant; // Universal Time
    int symbol;
};

std::vector<ReferencePhase> ReadReference() {
    const std::map<QString, int> symbols{
        {"new", 68}, {"first_quarter", 69}, {"full", 65}, {"last_quarter", 67}};
    QFile table(VELOMIRA_SOURCE_DIR "/../shared/data/moon-phases-ut-1990-2040.csv");
    std::vector<ReferencePhase> phases;
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text)) return phases;
    while (!table.atEnd()) {
        const QStringList fields = QString::fromUtf8(table.readLine()).trimmed().split(u',');
        if (fields.size() == 2 && symbols.count(fields[1]) == 1) {
            QDateTime instant = QDateTime::fromString(fields[0], "yyyy-MM-dd HH:mm:ss");
            instant.setTimeSpec(Qt::UTC);
            phases.push_back({instant, symbols.at(fields[1])});
        }
    }
    return phases;
}

} // namespace

TEST(MoonPhases, JulianDays) {
    EXPECT_DOUBLE_EQ(DateToJulianDay(Utc(2000, 1, 1)), 2451544.5);
    EXPECT_EQ(JulianDayToDate(2451545.0), Utc(2000, 1, 1, 12));
    EXPECT_EQ(JulianDayToDate(2299160.5), Utc(1582, 10, 15));
    EXPECT_DOUBLE_EQ(DateToJulianDay(Utc(1957, 10, 4, 19, 26, 24)), 2436116.31);
    for (const QDateTime& t :
         {Utc(1, 1, 1), Utc(1600, 2, 29, 23, 59, 59), Utc(2024, 7, 1, 6, 30), Utc(9999, 12, 31, 12)})
        EXPECT_EQ(JulianDayToDate(DateToJulianDay(t)), t) << t.toString(Qt::ISODate).toStdString();
    EXPECT_FALSE(JulianDayToDate(NAN).isValid());
}

// Every phase of the independent table is found once, on its own Universal-Time day unless it lies
// within minutes of midnight, and the instants agree within minutes.
TEST(MoonPhases, AgreeWithTheReferenceTable1990To2040) {
    const std::vector<ReferencePhase> reference = ReadReference();
    ASSERT_EQ(reference.size(), 2523u);

    std::map<std::pair<QDate, int>, int> computed; // (UT day, symbol) -> times found
    int count = 0;
    for (int year = 1990; year <= 2040; ++year) {
        // Offset 0 and an empty summer window give Universal-Time days.
        std::vector<MoonPhaseEntry> phases;
        AddMoonPhasesOfYear(phases, year, QDate(year, 12, 31), QDate(year, 1, 1), 0);
        count += int(phases.size());
        for (const MoonPhaseEntry& p : phases)
            ++computed[{p.Date, p.Symbol}];
    }
    EXPECT_EQ(count, int(reference.size()));

    constexpr double kToleranceMinutes = 20;
    double worst = 0;
    QDateTime worstAt;
    for (const ReferencePhase& r : reference) {
        const std::array<double, 5> lunation = PhaseHunt(DateToJulianDay(r.instant.addDays(-3)));
        const int index = r.symbol == 68 ? 0 : r.symbol == 69 ? 1 : r.symbol == 65 ? 2 : 3;
        double jd = lunation[index];
        if (index == 0 && std::abs(jd - DateToJulianDay(r.instant)) > 10) jd = lunation[4];
        const double minutes = std::abs(jd - DateToJulianDay(r.instant)) * 24 * 60;
        if (minutes > worst) {
            worst = minutes;
            worstAt = r.instant;
        }
        EXPECT_LT(minutes, kToleranceMinutes) << r.instant.toString(Qt::ISODate).toStdString();

        const QDate day = r.instant.date();
        const int found = computed[{day, r.symbol}];
        const int minutesFromMidnight = std::min(r.instant.time().msecsSinceStartOfDay() / 60000,
                                                 1440 - r.instant.time().msecsSinceStartOfDay() / 60000);
        if (minutesFromMidnight > kToleranceMinutes) {
            EXPECT_EQ(found, 1) << r.instant.toString(Qt::ISODate).toStdString();
        } else {
            const int nearby = computed[{day.addDays(-1), r.symbol}] + computed[{day.addDays(1), r.symbol}];
            EXPECT_EQ(found + nearby, 1) << r.instant.toString(Qt::ISODate).toStdString();
        }
    }
    std::cout << "worst moon-phase difference: " << worst << " minutes at "
              << worstAt.toString(Qt::ISODate).toStdString() << " UT\n";
    RecordProperty("worst_minutes", std::to_string(worst));
}

TEST(MoonPhases, LocalDatesOf2007InCentralEurope) {
    const std::vector<MoonPhaseEntry> phases = PhasesOf(2007, 1);
    EXPECT_EQ(phases.size(), 50u);
    const auto has = [&phases](const QDate& date, int symbol) {
        return std::count_if(phases.begin(), phases.end(),
                             [&](const MoonPhaseEntry& p) { return p.Date == date && p.Symbol == symbol; });
    };
    EXPECT_EQ(has({2007, 1, 3}, 65), 1);
    EXPECT_EQ(has({2007, 1, 11}, 67), 1);
    EXPECT_EQ(has({2007, 1, 19}, 68), 1);
    EXPECT_EQ(has({2007, 1, 26}, 69), 1);  // 25 January 23:03 UT
    EXPECT_EQ(has({2007, 3, 4}, 65), 1);   // 3 March 23:18 UT
    EXPECT_EQ(has({2007, 11, 10}, 68), 1); // 9 November 23:04 UT
    for (size_t i = 1; i < phases.size(); ++i)
        EXPECT_LT(phases[i - 1].Date, phases[i].Date);

    const std::vector<MoonPhaseEntry> next = PhasesOf(2008, 1);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.front().Date, QDate(2008, 1, 8));
    EXPECT_EQ(next.front().Symbol, 68);

    // Full moon of 23 September 1991, 22:40 UT: the summer hour carries it into the next day.
    const std::vector<MoonPhaseEntry> summer = PhasesOf(1991, 1);
    EXPECT_TRUE(std::any_of(summer.begin(), summer.end(), [](const MoonPhaseEntry& p) {
        return p.Date == QDate(1991, 9, 24) && p.Symbol == 65;
    }));
}

TEST(MoonPhases, RemoteYearsEndAndStayInTheirYear) {
    for (const int year : {1, 2, 1582, 1583, 9998, 9999}) {
        const std::vector<MoonPhaseEntry> phases = PhasesOf(year, 0);
        EXPECT_GE(phases.size(), 48u) << year;
        EXPECT_LE(phases.size(), 52u) << year;
        for (const MoonPhaseEntry& p : phases)
            EXPECT_EQ(p.Date.year(), year);
    }
    EXPECT_TRUE(PhasesOf(0, 0).empty());
    EXPECT_TRUE(PhasesOf(10000, 0).empty());
    EXPECT_EQ(PhaseHunt(NAN)[0], 0.0);
}

TEST(TimeZone, StandardOffsetInWholeHours) {
    SetClock(
        [] { return QDateTime(QDate(2026, 7, 1), QTime(12, 0), Qt::UTC); }); // summer: standard still counts
    struct Case {
        QTimeZone zone;
        int expected;
    };
    const Case cases[] = {
        {QTimeZone(3600), 1},
        {QTimeZone(-5 * 3600), -5},
        {QTimeZone(19800), 6},
        {QTimeZone(16200), 4},
        {QTimeZone(0), 0},
        {QTimeZone("Europe/Berlin"), 1},
        {QTimeZone("America/New_York"), -5},
        {QTimeZone("Asia/Kolkata"), 6},
        {QTimeZone(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeZoneOffsetHours(c.zone), c.expected) << c.zone.id().toStdString();
    SetClock({});
}

TEST(TimeZone, GermanSummerHour) {
    const YearBaseDates b = ComputeYearBaseDates(2007); // summer time 25 March to 28 October
    struct Case {
        QDateTime ut;
        int offset;
        QDateTime expected;
    };
    const Case cases[] = {
        {Utc(2007, 7, 15, 22, 30), 1, Utc(2007, 7, 16, 0, 30)},
        {Utc(2007, 1, 10, 22, 30), 1, Utc(2007, 1, 10, 23, 30)},
        {Utc(2007, 7, 15, 23, 30), 0, Utc(2007, 7, 16, 0, 30)}, // a zone without summer time still gets it
        {Utc(2007, 3, 24, 23, 30), 1, Utc(2007, 3, 25, 1, 30)},
        {Utc(2007, 3, 24, 22, 59), 1, Utc(2007, 3, 24, 23, 59)},
        {Utc(2007, 10, 27, 23, 0), 1, Utc(2007, 10, 28, 1, 0)}, // exactly the end: still summer
        {Utc(2007, 10, 27, 23, 1), 1, Utc(2007, 10, 28, 0, 1)},
        {Utc(2007, 7, 15, 2, 0), -5, Utc(2007, 7, 14, 22, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocalPhaseDate(DateToJulianDay(c.ut), c.offset, b.SummerTimeStart, b.SummerTimeEnd),
                  c.expected)
            << c.ut.toString(Qt::ISODate).toStdString();
}

#include "calendar/MoonPhases.h"

#include "calendar/CalendarSyntax.h"
#include "calendar/TimeZone.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kSynodicMonth = 29.53058868;
constexpr double kSecondsPerDay = 86400.0;

// Julian Days of the calendar's years with a margin; outside them the search would not end in time.
constexpr double kEarliestJulianDay = 1.6e6;
constexpr double kLatestJulianDay = 5.5e6;

double Sind(double degrees) {
    return std::sin(degrees * std::numbers::pi / 180.0);
}

double Cosd(double degrees) {
    return std::cos(degrees * std::numbers::pi / 180.0);
}

} // namespace

double DateToJulianDay(const QDateTime& dateTime) {
    return double(dateTime.date().toJulianDay()) - 0.5 +
           dateTime.time().msecsSinceStartOfDay() / 1000.0 / kSecondsPerDay;
}

QDateTime JulianDayToDate(double jd) {
    if (!(jd > kEarliestJulianDay && jd < kLatestJulianDay)) return {};
    const double z = std::floor(jd + 0.5);
    const double fraction = jd + 0.5 - z;
    const QDateTime midnight(QDate::fromJulianDay(qint64(z)), QTime(0, 0), Qt::UTC);
    return midnight.addSecs(qint64(std::floor(fraction * kSecondsPerDay + 0.5)));
}

double MeanPhase(double sdate, double k) {
    const double t = (sdate - 2415020.0) / 36525;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return 2415020.75933 + kSynodicMonth * k + 0.0001178 * t2 - 0.000000155 * t3 +
           0.00033 * Sind(166.56 + 132.87 * t - 0.009173 * t2);
}

double Truephase(double k, double phase) {
    k += phase;
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    double pt = 2415020.75933 + kSynodicMonth * k + 0.0001178 * t2 - 0.000000155 * t3 +
                0.00033 * Sind(166.56 + 132.87 * t - 0.009173 * t2);
    const double m = 359.2242 + 29.10535608 * k - 0.0000333 * t2 - 0.00000347 * t3;
    const double mp = 306.0253 + 385.81691806 * k + 0.0107306 * t2 + 0.00001236 * t3;
    const double f = 21.2964 + 390.67050646 * k - 0.0016528 * t2 - 0.00000239 * t3;
    if (phase < 0.01 || std::abs(phase - 0.5) < 0.01) {
        pt += (0.1734 - 0.000393 * t) * Sind(m) + 0.0021 * Sind(2 * m) - 0.4068 * Sind(mp) +
              0.0161 * Sind(2 * mp) - 0.0004 * Sind(3 * mp) + 0.0104 * Sind(2 * f) - 0.0051 * Sind(m + mp) -
              0.0074 * Sind(m - mp) + 0.0004 * Sind(2 * f + m) - 0.0004 * Sind(2 * f - m) -
              0.0006 * Sind(2 * f + mp) + 0.0010 * Sind(2 * f - mp) + 0.0005 * Sind(m + 2 * mp);
    } else {
        pt += (0.1721 - 0.0004 * t) * Sind(m) + 0.0021 * Sind(2 * m) - 0.6280 * Sind(mp) +
              0.0089 * Sind(2 * mp) - 0.0004 * Sind(3 * mp) + 0.0079 * Sind(2 * f) - 0.0119 * Sind(m + mp) -
              0.0047 * Sind(m - mp) + 0.0003 * Sind(2 * f + m) - 0.0004 * Sind(2 * f - m) -
              0.0006 * Sind(2 * f + mp) + 0.0021 * Sind(2 * f - mp) + 0.0003 * Sind(m + 2 * mp) +
              0.0004 * Sind(m - 2 * mp) - 0.0003 * Sind(2 * m + mp);
        const double correction = 0.0028 - 0.0004 * Cosd(m) + 0.0003 * Cosd(mp);
        pt += phase < 0.5 ? correction : -correction;
    }
    return pt;
}

std::array<double, 5> PhaseHunt(double sdate) {
    if (!(sdate > kEarliestJulianDay + 60 && sdate < kLatestJulianDay - 60)) return {};
    double adate = sdate - 45;
    const QDate start = JulianDayToDate(adate).date();
    double k1 = std::floor((start.year() + (start.month() - 1) * (1.0 / 12) - 1900) * 12.3685);
    double nt1 = MeanPhase(adate, k1);
    adate = nt1;
    // The estimate lies before sdate for all but the remotest years; there, step back until it does.
    while (nt1 > sdate) {
        k1 -= 1;
        adate -= kSynodicMonth;
        nt1 = MeanPhase(adate, k1);
    }
    double k2 = k1 + 1;
    for (;;) {
        adate += kSynodicMonth;
        k2 = k1 + 1;
        const double nt2 = MeanPhase(adate, k2);
        if (nt1 <= sdate && nt2 > sdate) break;
        nt1 = nt2;
        k1 = k2;
    }
    return {Truephase(k1, 0.0), Truephase(k1, 0.25), Truephase(k1, 0.5), Truephase(k1, 0.75),
            Truephase(k2, 0.0)};
}

void AddMoonPhasesOfYear(std::vector<MoonPhaseEntry>& phases, int year, const QDate& summerStart,
                         const QDate& summerEnd, int offsetHours) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return;
    constexpr std::array<int, 4> kSymbols{68, 69, 65, 67};
    // A year spans at most 14 lunations; the bound only guards against a search that never advances.
    constexpr int kMaxLunations = 16;
    QDateTime d(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    for (int lunation = 0; lunation < kMaxLunations; ++lunation) {
        const std::array<double, 5> jd = PhaseHunt(DateToJulianDay(d));
        for (int i = 0; i < 4; ++i) {
            if (JulianDayToDate(jd[i]).date().year() > year) return;
            const QDate local = LocalPhaseDate(jd[i], offsetHours, summerStart, summerEnd).date();
            if (local.year() == year) phases.push_back({local, kSymbols[i]});
        }
        d = JulianDayToDate(jd[4]).addDays(5);
    }
}

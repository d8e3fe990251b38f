#pragma once

#include <QDate>
#include <QDateTime>
#include <array>
#include <vector>

// A principal moon phase on its local calendar day, with the character code of its glyph in the moon
// font: 68 new moon, 69 first quarter, 65 full moon, 67 last quarter.
struct MoonPhaseEntry {
    QDate Date;
    int Symbol = 0;
};

// Julian Day of a date and time (Qt::UTC as a plain clock). The proleptic Gregorian calendar is used
// for all dates, as everywhere in the calendar, so dates before 15 October 1582 agree with the month
// grids rather than with the Julian calendar.
double DateToJulianDay(const QDateTime& dateTime);

// The date and time of a Julian Day, to the nearest second.
QDateTime JulianDayToDate(double jd);

// Mean new moon of lunation k (lunations since January 1900); `sdate` only sets the epoch of the small
// secular terms.
double MeanPhase(double sdate, double k);

// The instant (Julian Day) of a phase of lunation k: 0.0 new moon, 0.25 first quarter, 0.5 full moon,
// 0.75 last quarter.
double Truephase(double k, double phase);

// New moon, first quarter, full moon and last quarter of the lunation containing `sdate`, and the new
// moon that follows.
std::array<double, 5> PhaseHunt(double sdate);

// Appends the phases whose local day lies in `year`, in time order, each placed by `offsetHours` (see
// TimeZoneOffsetHours) plus the German summer hour between `summerStart` and `summerEnd`.
void AddMoonPhasesOfYear(std::vector<MoonPhaseEntry>& phases, int year, const QDate& summerStart,
                         const QDate& summerEnd, int offsetHours);

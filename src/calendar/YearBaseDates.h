#pragma once

#include <QDate>
#include <QStringView>

// The movable days of one year from which "feiertag" lines count their offsets.
struct YearBaseDates {
    int year = 0;
    QDate EasterSunday;    // "Ostern"
    QDate PenanceDay;      // "Buß- und Bettag": the Wednesday from 16 to 22 November
    QDate FourthAdvent;    // "Advent": the Sunday on or before 24 December
    QDate MothersDay;      // "Muttertag": the second Sunday of May
    QDate HarvestFestival; // "Erntedankfest": the first Sunday of October
    QDate SummerTimeStart; // "Sommeranfang": the last Sunday of March
    QDate SummerTimeEnd;   // "Sommerende": the last Sunday of October
};

// Gregorian Easter Sunday (Gauss's rule, valid for every Gregorian year).
QDate EasterSunday(int year);

QDate LastSundayOfMonth(int year, int month);

// Every field null for a year outside 1 to 9999.
YearBaseDates ComputeYearBaseDates(int year);

// The day of a "feiertag" line in the year of `bases`: a base name (exact, case included) plus the
// signed day offset written in `offsetOrDate`, or else the day and month written there, run on to the
// next day when they do not exist in that year. Null when the offset or date cannot be read or the day
// leaves the years 1 to 9999.
QDate HolidayDate(QStringView base, QStringView offsetOrDate, const YearBaseDates& bases);

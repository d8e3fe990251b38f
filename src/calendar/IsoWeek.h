#pragma once

#include <QDate>

// ISO 8601 week number (1 to 53) of a date: weeks start on Monday, week 1 holds the year's first
// Thursday.
int IsoWeekNumber(const QDate& date);

// The number of grid rows (Monday to Sunday weeks) that the days `first` to `last` of one month touch.
int MonthWeekCount(const QDate& first, const QDate& last);

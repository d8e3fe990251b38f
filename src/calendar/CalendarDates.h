#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The calendar's date texts. Names come from the system locale, German when none is set.
QLocale CalendarLocale();

// "mmmm yyyy": the full month name and the four-digit year ("Januar 2021").
QString MonthTitle(const QDate& date);

// "ddd": the weekday's abbreviation in two letters ("Mo", "Di").
QString ShortWeekday(const QDate& date);

// "dd.mm. ": day and month with two digits each, a dot after each and a space ("03.10. ").
QString DayMonth(const QDate& date);

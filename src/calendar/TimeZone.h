#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

// Whole hours east of Universal Time of the zone's offset without summer time in the clock's year,
// halves rounded to even (+5:30 gives 6); 0 for an invalid zone.
int TimeZoneOffsetHours(const QTimeZone& zone = QTimeZone::systemTimeZone());

// The local date and time of the Universal-Time instant `jd`: shifted by `offsetHours`, and by one
// more hour when the shifted time lies in the German summer-time window [summerStart 00:00,
// summerEnd 00:00], whatever the zone's own rules are. Times carry no zone (Qt::UTC as a plain clock).
QDateTime LocalPhaseDate(double jd, int offsetHours, const QDate& summerStart, const QDate& summerEnd);

#include "calendar/TimeZone.h"

#include "app/Clock.h"
#include "app/NumericText.h"
#include "calendar/MoonPhases.h"

#include <algorithm>

int TimeZoneOffsetHours(const QTimeZone& zone) {
    if (!zone.isValid()) return 0;
    // The smaller of the offsets of January and July is the time without summer time on either
    // hemisphere, also where the zone's rules call the summer offset standard (Europe/Dublin).
    const int year = Now().date().year();
    const auto offset = [&](int month) {
        return zone.offsetFromUtc(QDateTime(QDate(year, month, 1), QTime(12, 0), Qt::UTC));
    };
    return RoundHalfEven(std::min(offset(1), offset(7)) / 3600.0);
}

QDateTime LocalPhaseDate(double jd, int offsetHours, const QDate& summerStart, const QDate& summerEnd) {
    QDateTime local = JulianDayToDate(jd).addSecs(qint64(offsetHours) * 3600);
    if (local >= QDateTime(summerStart, QTime(0, 0), Qt::UTC) &&
        local <= QDateTime(summerEnd, QTime(0, 0), Qt::UTC))
        local = local.addSecs(3600);
    return local;
}

#include "calendar/TimeZone.h"

#include "app/Clock.h"
#include "app/NumericText.h"
#include "calendar/MoonPhases.h"

int TimeZoneOffsetHours(const QTimeZone& zone) {
    if (!zone.isValid()) return 0;
    return RoundHalfEven(zone.standardTimeOffset(Now()) / 3600.0);
}

QDateTime LocalPhaseDate(double jd, int offsetHours, const QDate& summerStart, const QDate& summerEnd) {
    QDateTime local = JulianDayToDate(jd).addSecs(qint64(offsetHours) * 3600);
    if (local >= QDateTime(summerStart, QTime(0, 0), Qt::UTC) &&
        local <= QDateTime(summerEnd, QTime(0, 0), Qt::UTC))
        local = local.addSecs(3600);
    return local;
}

#include "calendar/YearBaseDates.h"

#include "calendar/CalendarSyntax.h"

#include <QString>
#include <array>
#include <utility>

namespace {

// Weekday numbered 1 = Sunday to 7 = Saturday.
int SundayFirstWeekday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

} // namespace

QDate EasterSunday(int year) {
    const int century = year / 100;
    const int n = century - century / 4 + 4;
    const int m = n - (13 + 8 * century) / 25 + 11;
    const int d = (19 * (year % 19) + m) % 30;
    const int e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + n) % 7;
    const int day = d + e - 9;
    if (day == 26) return QDate(year, 4, 19);
    if (day == 25 && d == 28 && (11 * (m + 1)) % 30 < 19) return QDate(year, 4, 18);
    return day >= 1 ? QDate(year, 4, day) : QDate(year, 3, day + 31);
}

QDate LastSundayOfMonth(int year, int month) {
    const QDate last = QDate(year, month, 1).addMonths(1).addDays(-1);
    return last.addDays(1 - SundayFirstWeekday(last));
}

YearBaseDates ComputeYearBaseDates(int year) {
    YearBaseDates bases;
    bases.year = year;
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return bases;
    bases.EasterSunday = EasterSunday(year);

    int n = SundayFirstWeekday(QDate(year, 11, 1)) - 1;
    if (n == 0) n = 7;
    bases.PenanceDay = QDate(year, 11, n < 3 ? 18 - n : 25 - n);

    const QDate christmasEve(year, 12, 24);
    bases.FourthAdvent = christmasEve.addDays(1 - SundayFirstWeekday(christmasEve));

    const QDate firstOfMay(year, 5, 1);
    bases.MothersDay = SundayFirstWeekday(firstOfMay) == 1
                           ? QDate(year, 5, 8)
                           : firstOfMay.addDays(15 - SundayFirstWeekday(firstOfMay));

    const QDate firstOfOctober(year, 10, 1);
    bases.HarvestFestival = SundayFirstWeekday(firstOfOctober) == 1
                                ? firstOfOctober
                                : firstOfOctober.addDays(8 - SundayFirstWeekday(firstOfOctober));

    bases.SummerTimeStart = LastSundayOfMonth(year, 3);
    bases.SummerTimeEnd = LastSundayOfMonth(year, 10);
    return bases;
}

QDate HolidayDate(QStringView base, QStringView offsetOrDate, const YearBaseDates& bases) {
    const std::array<std::pair<QStringView, const QDate*>, 7> named{{
        {u"Ostern", &bases.EasterSunday},
        {u"Buß- und Bettag", &bases.PenanceDay},
        {u"Advent", &bases.FourthAdvent},
        {u"Muttertag", &bases.MothersDay},
        {u"Erntedankfest", &bases.HarvestFestival},
        {u"Sommeranfang", &bases.SummerTimeStart},
        {u"Sommerende", &bases.SummerTimeEnd},
    }};
    for (const auto& [name, date] : named) {
        if (base != name) continue;
        bool ok = false;
        const int offset = offsetOrDate.trimmed().toInt(&ok);
        if (!ok || date->isNull()) return {};
        const QDate day = date->addDays(offset);
        return day.year() >= kFirstCalendarYear && day.year() <= kLastCalendarYear ? day : QDate();
    }
    const std::optional<WrittenDate> written = ParseWrittenDate(offsetOrDate);
    return written ? DayMonthInYear(written->day, written->month, bases.year) : QDate();
}

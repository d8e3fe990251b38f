#include "calendar/Appointments.h"

#include "calendar/CalendarSyntax.h"

#include <QString>

namespace {

// The same day number in the next month, running on when that month is shorter.
QDate NextMonth(const QDate& date) {
    const int month = date.month() % 12 + 1;
    return DayMonthInYear(date.day(), month, date.year() + (month == 1 ? 1 : 0));
}

// The first occurrence from January of `year` on of a weekly or monthly series that starts at `first`.
// Stepping from an old start would cost one step per week since then, so the series is moved to `year`
// directly wherever that gives the same days.
QDate FirstInYear(QDate first, int year, AppointmentKind kind) {
    if (first.year() >= year) return first;
    if (kind == AppointmentKind::Weekly) {
        const qint64 days = first.daysTo(QDate(year, 1, 1));
        return first.addDays((days + 6) / 7 * 7);
    }
    // A day number up to 28 exists in every month, so only higher ones can still change.
    while (first.isValid() && first.year() < year && first.day() > 28)
        first = NextMonth(first);
    return first.isValid() && first.year() < year ? QDate(year, 1, first.day()) : first;
}

} // namespace

AppointmentKind AppointmentKindOf(QStringView field) {
    const QString kind = field.toString().toLower();
    if (kind == u"geburtstag") return AppointmentKind::Birthday;
    if (kind == u"jährlich") return AppointmentKind::Yearly;
    if (kind == u"monatlich") return AppointmentKind::Monthly;
    if (kind == u"wöchentlich") return AppointmentKind::Weekly;
    return AppointmentKind::Single;
}

std::vector<AppointmentEntry> ExpandAppointment(const AppointmentEntry& written, int year) {
    std::vector<AppointmentEntry> entries;
    const QDate& base = written.BaseDate;
    const auto add = [&](const QDate& day, const QDate& baseDate) {
        if (day.isValid()) entries.push_back({baseDate, day, written.Text, written.Color, written.Kind});
    };
    switch (written.Kind) {
    case AppointmentKind::Birthday:
        for (const int y : {year, year - 1, year + 1})
            if (base.year() < y) add(DayMonthInYear(base.day(), base.month(), y), base);
        break;
    case AppointmentKind::Yearly:
        if (base.year() <= year) add(DayMonthInYear(base.day(), base.month(), year), base);
        break;
    case AppointmentKind::Monthly:
    case AppointmentKind::Weekly:
        for (QDate x = FirstInYear(base, year, written.Kind); x.isValid() && x.year() == year;
             x = written.Kind == AppointmentKind::Weekly ? x.addDays(7) : NextMonth(x))
            add(x, x);
        break;
    case AppointmentKind::Single:
        if (base.year() == year) add(base, base);
        break;
    }
    return entries;
}

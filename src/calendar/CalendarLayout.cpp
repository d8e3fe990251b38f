#include "calendar/CalendarLayout.h"

#include "calendar/CalendarText.h"
#include "calendar/IsoWeek.h"

#include <algorithm>

namespace {

// Sizes beyond this fit no screen; the settings file may hold any number, and keeping the sizes below
// it keeps every coordinate of the block, lists of the longest length included, within 32 bits.
constexpr int32_t kLargestSize = 1000;

MonthBlock monthOf(const QDate& day) {
    const QDate first(day.year(), day.month(), 1);
    const QDate last = first.addMonths(1).addDays(-1);
    return {first, last, MonthWeekCount(first, last)};
}

std::vector<const cFerienland*> legendStates(const Settings::Kalender& k, const CalendarData& data) {
    std::vector<const cFerienland*> states;
    if (k.ferien != 1 || k.ferienlegende != 1) return states;
    for (const cFerienland& state : data.States)
        if (k.ferienländer.contains(state.kurzname, Qt::CaseInsensitive)) states.push_back(&state);
    // A single state needs no legend.
    if (states.size() < 2) states.clear();
    return states;
}

std::vector<const HolidayEntry*> listedHolidays(const Settings::Kalender& k, const CalendarData& data,
                                                const QDate& from, const QDate& to) {
    std::vector<const HolidayEntry*> holidays;
    if (k.feiertagnamen != 1) return holidays;
    for (const HolidayEntry& entry : data.Holidays)
        if (HolidayApplies(entry, k.feiertagland) && entry.Date >= from && entry.Date <= to)
            holidays.push_back(&entry);
    return holidays;
}

} // namespace

CalendarLayout LayOutCalendar(const Settings::Kalender& k, const CalendarData& data, const QDate& today) {
    CalendarLayout l;
    l.SB = std::clamp(k.spaltenbreite, 0, kLargestSize);
    l.ZH = std::clamp(k.zeilenhöhe, 0, kLargestSize);
    l.TH = std::clamp(k.terminehoehe, 0, kLargestSize);
    l.LH = l.TH + l.TH / 10;
    l.W = 8 * l.SB + l.SB / 10 + 2;

    MonthBlock current = monthOf(today);
    current.current = true;
    if (k.vormonat == 1) l.months.push_back(monthOf(today.addMonths(-1)));
    l.months.push_back(current);
    if (k.folgemonat == 1) l.months.push_back(monthOf(today.addMonths(1)));

    // Tops relative to the block first; the anchor needs the whole height.
    int32_t y = 0;
    for (MonthBlock& month : l.months) {
        if (&month != &l.months.front()) y += l.TH;
        month.top = y;
        y += (month.weeks + 2) * l.ZH;
    }

    l.legend = legendStates(k, data);
    l.holidays = listedHolidays(k, data, l.months.front().first, l.months.back().last);
    if (k.termine == 1) {
        l.appointmentsFrom = k.terminemonattag == 1 ? today : current.first;
        l.appointmentsTo = k.terminemonattag == 1 ? today : current.last;
        l.appointmentsFrom = l.appointmentsFrom.addDays(-qint64(k.terminemonattagdiffvorher));
        l.appointmentsTo = l.appointmentsTo.addDays(k.terminemonattagdiffnachher);
        for (std::size_t i = 0; i < data.Appointments.size(); ++i)
            if (data.Appointments[i].Date >= l.appointmentsFrom &&
                data.Appointments[i].Date <= l.appointmentsTo)
                l.appointments.push_back(i);
    }
    const auto list = [&](std::size_t lines) {
        const int32_t top = y + l.LH;
        if (lines > 0) y = top + int32_t(lines) * l.LH;
        return top;
    };
    l.legendTop = list(l.legend.size());
    l.holidaysTop = list(l.holidays.size());
    l.appointmentsTop = list(l.appointments.size());
    l.H = y;

    l.X = AnchorX(k.position, k.offsetx, l.W);
    l.Y = AnchorY(k.position, k.offsety, l.H);
    l.R = l.X + l.W;
    for (MonthBlock& month : l.months)
        month.top += l.Y;
    l.legendTop += l.Y;
    l.holidaysTop += l.Y;
    l.appointmentsTop += l.Y;
    return l;
}

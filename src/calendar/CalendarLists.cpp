#include "calendar/CalendarLists.h"

#include "app/NumericText.h"
#include "calendar/CalendarDates.h"
#include "calendar/CalendarText.h"
#include "compose/DrawingRoutines.h"

#include <optional>

namespace {

// What an appointment's line shows after its date: birthdays the age, repeating ones their period.
QString appointmentText(const AppointmentEntry& entry) {
    switch (entry.Kind) {
    case AppointmentKind::Birthday:
        return entry.Text + QStringLiteral(" (%1)").arg(entry.Date.year() - entry.BaseDate.year());
    case AppointmentKind::Yearly:
        return entry.Text + QStringLiteral(" (J)");
    case AppointmentKind::Monthly:
        return entry.Text + QStringLiteral(" (M)");
    case AppointmentKind::Weekly:
        return entry.Text + QStringLiteral(" (W)");
    case AppointmentKind::Single:
        break;
    }
    return entry.Text;
}

class ListPainter {
public:
    ListPainter(const Settings::Kalender& k, const CalendarLayout& l)
        : k_(k), l_(l), font_{k.termineschriftart, k.terminehoehe,         k.terminegewicht,
                              k.terminekursiv,     k.termineunterstrichen, k.terminedurchgestrichen},
          tx_(l.X + l.SB / 10), tw_(8 * l.SB - l.SB / 5) {}

    void background(int32_t top, std::size_t lines) const {
        if (k_.hintergrund == 1)
            FillTransparentRect(k_.hintergrundfarbe, l_.X - 1, top, l_.R + 1,
                                top + int32_t(lines) * l_.LH + 2, k_.hintergrunddeckkraft);
    }

    void text(const QString& text, int32_t colour, int32_t x, int32_t y) const {
        DrawSmoothText(text, font_, colour, false, 100, kTextLeft, {x, y, tw_, l_.LH});
    }

    void legend() const {
        int32_t y = l_.legendTop;
        background(y, l_.legend.size());
        for (const cFerienland* state : l_.legend) {
            FillTransparentRect(state->farbe, tx_, y + l_.LH / 3, tx_ + l_.SB, y + l_.LH - l_.LH / 3, 100);
            text(QStringLiteral("Ferien ") + state->langname, k_.terminefarbe, tx_ + l_.SB + l_.SB / 5, y);
            y += l_.LH;
        }
    }

    void holidays() const {
        int32_t y = l_.holidaysTop;
        background(y, l_.holidays.size());
        for (const HolidayEntry* entry : l_.holidays) {
            text(DayMonth(entry->Date) + entry->Name, entry->Color, tx_, y);
            y += l_.LH;
        }
    }

    void appointments(const std::vector<AppointmentEntry>& all, const QDate& today) const {
        int32_t y = l_.appointmentsTop;
        background(y, l_.appointments.size());
        const int32_t wD = RoundHalfEven(MeasureTextWidth(QStringLiteral("Mo "), font_));
        const int32_t wT = RoundHalfEven(wD + MeasureTextWidth(QStringLiteral("00.00. "), font_));
        std::optional<int32_t> todayTop, futureTop;
        for (const std::size_t i : l_.appointments) {
            const AppointmentEntry& entry = all[i];
            // The date heads only the first line of its day, whether the line before is listed or not.
            if (i == 0 || all[i - 1].Date != entry.Date) {
                text(ShortWeekday(entry.Date), k_.terminefarbe, tx_, y);
                text(DayMonth(entry.Date), k_.terminefarbe, tx_ + wD, y);
            }
            text(appointmentText(entry), entry.Color, tx_ + wT, y);
            if (entry.Date == today && !todayTop) todayTop = y;
            if (entry.Date > today && !futureTop) futureTop = y;
            y += l_.LH;
        }
        todayMark(todayTop, futureTop, y);
    }

private:
    // A frame around today's lines, or a single line where today's would be.
    void todayMark(std::optional<int32_t> todayTop, std::optional<int32_t> futureTop, int32_t end) const {
        if (!todayTop && !futureTop) return;
        const bool noRange =
            k_.terminemonattag != 0 && k_.terminemonattagdiffvorher + k_.terminemonattagdiffnachher < 1;
        if (noRange) return;
        const int32_t top = todayTop.value_or(*futureTop), bottom = futureTop.value_or(end);
        const int32_t left = l_.X, right = l_.R - 1, colour = k_.terminefarbe;
        DrawLine(colour, left, top, right, top);
        DrawLine(colour, right, top, right, bottom);
        DrawLine(colour, right, bottom, left, bottom);
        DrawLine(colour, left, bottom, left, top);
    }

    const Settings::Kalender& k_;
    const CalendarLayout& l_;
    const CalendarFont font_;
    const int32_t tx_, tw_;
};

} // namespace

void DrawCalendarLists(const Settings::Kalender& kalender, const CalendarData& data,
                       const CalendarLayout& layout, const QDate& today) {
    const ListPainter painter(kalender, layout);
    if (!layout.legend.empty()) painter.legend();
    if (!layout.holidays.empty()) painter.holidays();
    if (!layout.appointments.empty()) painter.appointments(data.Appointments, today);
}

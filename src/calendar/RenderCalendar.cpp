#include "calendar/RenderCalendar.h"

#include "app/Clock.h"
#include "app/NumericText.h"
#include "calendar/CalendarDates.h"
#include "calendar/CalendarLayout.h"
#include "calendar/CalendarLists.h"
#include "calendar/CalendarText.h"
#include "calendar/IsoWeek.h"
#include "calendar/MoonSymbols.h"
#include "compose/DrawingRoutines.h"
#include "compose/WorkingImage.h"

#include <vector>

namespace {

// Today's cell in the current month, remembered while its rows are drawn.
struct TodayCell {
    int column = 0;
    int row = 0;
    int32_t colour = 0;
};

class MonthPainter {
public:
    MonthPainter(const Settings::Kalender& k, const CalendarData& data, const CalendarLayout& l, QDate today)
        : k_(k), data_(data), l_(l), today_(today) {}

    void draw(const MonthBlock& month) const {
        const int32_t X = l_.X, SB = l_.SB, ZH = l_.ZH, R = l_.R, Yb = month.top;
        const int32_t bottom = Yb + (month.weeks + 2) * ZH + 3;
        if (k_.hintergrund == 1)
            FillTransparentRect(k_.hintergrundfarbe, X - 1, Yb, R + 1, bottom, k_.hintergrunddeckkraft);
        if (k_.rahmen == 1) {
            DrawLine(k_.rahmenfarbe, X - 2, Yb - 1, R + 1, Yb - 1);
            DrawLine(k_.rahmenfarbe, R + 1, Yb - 1, R + 1, bottom);
            DrawLine(k_.rahmenfarbe, R + 1, bottom, X - 2, bottom);
            DrawLine(k_.rahmenfarbe, X - 2, bottom, X - 2, Yb - 1);
        }
        const CalendarFont monat{k_.monatschriftart, k_.monathoehe,         k_.monatgewicht,
                                 k_.monatkursiv,     k_.monatunterstrichen, k_.monatdurchgestrichen};
        DrawSmoothText(MonthTitle(month.first), monat, k_.monatfarbe, false, 100, kTextCentre,
                       {X, Yb, 8 * SB, ZH});
        if (k_.trennlinien == 1) DrawLine(k_.trennlinienfarbe, X - 1, Yb + ZH, R, Yb + ZH);

        // The grid starts on the Monday of the week that holds the first day.
        const QDate origin = month.first.addDays(-month.first.dayOfWeek());
        for (int column = 1; column <= 7; ++column) {
            const QDate day = origin.addDays(column);
            DrawSmoothText(ShortWeekday(day), wochenFont(), weekendColour(day), false, 100, kTextRight,
                           {X + column * SB, Yb + ZH, SB, ZH});
        }
        TodayCell today;
        for (int r = 1; r <= 6; ++r) {
            const QDate monday = origin.addDays(1 + 7 * (r - 1));
            if (monday > month.last) break;
            const int row = r + 2;
            const int32_t top = Yb + (r + 1) * ZH;
            if (k_.trennlinien == 1) DrawLine(k_.trennlinienfarbe, X - 1, top, R, top);
            DrawSmoothText(QString::number(IsoWeekNumber(monday)), wochenFont(), k_.wochenfarbe, false, 100,
                           kTextRight, {X - 10, top, SB, ZH});
            for (int c = 2; c <= 8; ++c) {
                const QDate day = monday.addDays(c - 2);
                if (day.month() != month.first.month()) continue;
                const int32_t colour = drawDay(day, c, row, Yb);
                if (month.current && day.day() == today_.day()) today = {c, row, colour};
            }
        }
        if (month.current && today.column > 0) drawTodayFrame(today, Yb);
        if (k_.trennlinien == 1)
            DrawLine(k_.trennlinienfarbe, X + SB, Yb + ZH, X + SB, Yb + (month.weeks + 2) * ZH);
    }

private:
    CalendarFont wochenFont() const {
        return {k_.wochenschriftart, k_.wochenhoehe,         k_.wochengewicht,
                k_.wochenkursiv,     k_.wochenunterstrichen, k_.wochendurchgestrichen};
    }

    int32_t weekendColour(const QDate& day) const {
        return day.dayOfWeek() == 7 ? k_.sonntagfarbe : day.dayOfWeek() == 6 ? k_.samstagfarbe : k_.tagefarbe;
    }

    // A statutory holiday of the chosen state colours its day; otherwise the weekday does.
    int32_t dayColour(const QDate& day) const {
        for (const HolidayEntry& entry : data_.Holidays)
            if (entry.Statutory && entry.Date == day && HolidayApplies(entry, k_.feiertagland))
                return entry.Color;
        return weekendColour(day);
    }

    // Draws one day of the grid in column c (2 Monday to 8 Sunday) and row index `row`; gives its colour.
    int32_t drawDay(const QDate& day, int c, int row, int32_t Yb) const {
        const int32_t X = l_.X, SB = l_.SB, ZH = l_.ZH, top = Yb + (row - 1) * ZH;
        const int32_t colour = dayColour(day);
        const CalendarFont tage{k_.tageschriftart, k_.tagehoehe,         k_.tagegewicht,
                                k_.tagekursiv,     k_.tageunterstrichen, k_.tagedurchgestrichen};
        DrawSmoothText(QString::number(day.day()), tage, colour, false, 100, kTextRight,
                       {X + (c - 1) * SB, top, SB, ZH});
        for (const MoonPhaseEntry& phase : data_.MoonPhases)
            if (phase.Date == day) {
                DrawMoonSymbol(phase.Symbol, {X + (c - 1) * SB + SB / 5, top, SB, ZH},
                               RoundHalfEven(k_.tagehoehe / 2.75), k_.tagegewicht, colour);
                break;
            }

        std::vector<int32_t> bars;
        for (const SchoolHolidayEntry& period : data_.SchoolHolidays)
            if (period.FromDate <= day && day <= period.ToDate &&
                SchoolHolidayApplies(period, k_.ferienländer))
                bars.push_back(period.Color);
        const int K = int(bars.size());
        if (K > 0) {
            const int32_t h = RoundHalfEven((ZH / 6.0) / K);
            const int32_t left = X + (c - 1) * SB + SB / 10 + 2;
            int32_t bottom = Yb + row * ZH - 1;
            for (const int32_t bar : bars) { // the first period lowest
                FillTransparentRect(bar, left, bottom - h, left + SB, bottom, 100);
                bottom -= h;
            }
        }

        std::vector<int32_t> markers;
        for (const GarbageDayEntry& entry : data_.GarbageDays) {
            if (entry.Date > day) break;
            if (entry.Date == day) markers.push_back(entry.Color);
        }
        const int32_t base = Yb + row * ZH - 5 - 2 * (K - 1), span = ZH - 8 - 2 * (K - 1);
        const int32_t left = X + c * SB + SB / 20;
        const int32_t step = markers.empty() ? 0 : span / int32_t(markers.size());
        for (int32_t j = 1; j <= int32_t(markers.size()); ++j) // the first one lowest
            FillTransparentRect(markers[size_t(j - 1)], left, base - step * j, left + SB / 10,
                                base - step * (j - 1), 100);
        return colour;
    }

    // Two frames one pixel apart around today's number; the outer one leaves its corners open.
    void drawTodayFrame(const TodayCell& today, int32_t Yb) const {
        const int32_t SB = l_.SB, ZH = l_.ZH;
        const int32_t Lf = l_.X + (today.column - 1) * SB + SB / 10 + SB / 20 + 1;
        const int32_t Tf = Yb + (today.row - 1) * ZH + 2;
        const int32_t Rf = l_.X + today.column * SB + 4;
        const int32_t Bf = Yb + today.row * ZH - 2;
        const int32_t colour = today.colour;
        DrawLine(colour, Lf, Tf, Rf, Tf);
        DrawLine(colour, Rf, Tf, Rf, Bf);
        DrawLine(colour, Rf, Bf, Lf, Bf);
        DrawLine(colour, Lf, Bf, Lf, Tf);
        DrawLine(colour, Lf, Tf - 1, Rf, Tf - 1);
        DrawLine(colour, Rf + 1, Tf, Rf + 1, Bf);
        DrawLine(colour, Rf, Bf + 1, Lf, Bf + 1);
        DrawLine(colour, Lf - 1, Bf, Lf - 1, Tf);
    }

    const Settings::Kalender& k_;
    const CalendarData& data_;
    const CalendarLayout& l_;
    QDate today_;
};

} // namespace

void RenderCalendar(const Settings::Kalender& kalender) {
    if (!WorkingImage()) return;
    const QDate today = Now().date();
    const CalendarData data = LoadCalendarData(today.year(), kalender);
    const CalendarLayout layout = LayOutCalendar(kalender, data, today);
    const MonthPainter painter(kalender, data, layout, today);
    for (const MonthBlock& month : layout.months)
        painter.draw(month);
    DrawCalendarLists(kalender, data, layout, today);
}

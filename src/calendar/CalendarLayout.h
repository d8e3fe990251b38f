#pragma once

#include "app/Settings.h"
#include "calendar/CalendarData.h"

#include <QDate>
#include <cstdint>
#include <vector>

// One month grid: its days, its number of week rows and the top of its title row.
struct MonthBlock {
    QDate first;
    QDate last;
    int weeks = 0;
    int32_t top = 0;
    bool current = false; // today's month, which frames today
};

// Where every part of the calendar goes on the registered working image, and what its lists hold.
struct CalendarLayout {
    int32_t SB = 0;       // column width
    int32_t ZH = 0;       // row height of the grids
    int32_t TH = 0;       // font height of the lists, also the gap between two months
    int32_t LH = 0;       // line height of the lists, also the gap before each list
    int32_t W = 0, H = 0; // the block's size
    int32_t X = 0, Y = 0; // its top-left corner
    int32_t R = 0;        // the right edge of lines and backgrounds

    std::vector<MonthBlock> months; // top to bottom: previous, current, next

    std::vector<const cFerienland*> legend;    // the school-holiday states shown, two or more
    std::vector<const HolidayEntry*> holidays; // those of the chosen state in the shown months
    QDate appointmentsFrom, appointmentsTo;    // the range of the appointment list
    std::vector<std::size_t> appointments;     // indices into Appointments, in that range
    int32_t legendTop = 0, holidaysTop = 0, appointmentsTop = 0; // each list's first line
};

// The layout of the calendar that the settings ask for on `today`, with the lists of `data`. The
// block's height is exactly what is drawn: the months and, below them, each list that is not empty
// after a gap of one list line.
CalendarLayout LayOutCalendar(const Settings::Kalender& kalender, const CalendarData& data,
                              const QDate& today);

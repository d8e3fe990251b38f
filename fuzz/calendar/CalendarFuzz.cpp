// The first two bytes pick the year and the switches; the rest is the data file.
#include "calendar/CalendarData.h"
#include "calendar/CalendarSyntax.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int year = 1 + data[0] * 40; // 1 to 10201: both ends of the calendar's years and beyond
    Settings::Kalender kalender;
    kalender.vormonat = data[1] & 1;
    kalender.folgemonat = (data[1] >> 1) & 1;
    kalender.müll = (data[1] >> 2) & 1;
    kalender.ferien = (data[1] >> 3) & 1;
    kalender.termine = (data[1] >> 4) & 1;
    kalender.mondphasen = (data[1] >> 5) & 1;
    const QByteArrayView file(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const CalendarData calendar = BuildCalendarData(year, file, kalender);
    if (calendar.Appointments.size() > kMaxCalendarListEntries ||
        calendar.Holidays.size() > kMaxCalendarListEntries)
        __builtin_trap();

    const QString text = QString::fromUtf8(file);
    ParseCalendarDate(text, year);
    ParseColor(text);
    return 0;
}

// fuzz_calendar_date: a date field of the data file. The first two bytes pick the year a date
// without one falls in; whatever is accepted must be a real day inside the calendar's years.
#include "calendar/CalendarSyntax.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int year = (data[0] << 8 | data[1]) % (kLastCalendarYear + 2); // 0 and 10000 lie outside
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    if (const auto written = ParseWrittenDate(text)) {
        if (written->day < 1 || written->day > 31 || written->month < 1 || written->month > 12)
            __builtin_trap();
        if (written->year && (*written->year < kFirstCalendarYear || *written->year > kLastCalendarYear))
            __builtin_trap();
    }
    const QDate date = ParseCalendarDate(text, year);
    if (date.isValid() && (date.year() < kFirstCalendarYear || date.year() > kLastCalendarYear))
        __builtin_trap();
    return 0;
}

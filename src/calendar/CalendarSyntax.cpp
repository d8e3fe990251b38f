#include "calendar/CalendarSyntax.h"

#include <QString>
#include <algorithm>

namespace {

bool AllDigits(QStringView text, qsizetype minLength, qsizetype maxLength) {
    return text.size() >= minLength && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// 1 to 8 hexadecimal digits: what fits a 32-bit colour.
bool IsHexNumber(QStringView text) {
    return !text.isEmpty() && text.size() <= 8 && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

} // namespace

std::optional<WrittenDate> ParseWrittenDate(QStringView text) {
    QString compact = text.toString();
    compact.remove(u' ');
    if (compact.endsWith(u'.')) compact.chop(1);
    const QList<QStringView> parts = QStringView(compact).split(u'.');
    if (parts.size() < 2 || parts.size() > 3 || !AllDigits(parts[0], 1, 2) || !AllDigits(parts[1], 1, 2))
        return std::nullopt;
    WrittenDate date{parts[0].toInt(), parts[1].toInt(), std::nullopt};
    constexpr int kLeapYear = 2000;
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > QDate(kLeapYear, date.month, 1).daysInMonth())
        return std::nullopt;
    if (parts.size() == 3) {
        if (!AllDigits(parts[2], 4, 4) || parts[2].toInt() < kFirstCalendarYear) return std::nullopt;
        date.year = parts[2].toInt();
    }
    return date;
}

QDate ParseCalendarDate(QStringView text, int yearIfMissing) {
    const std::optional<WrittenDate> written = ParseWrittenDate(text);
    if (!written) return {};
    const int year = written->year.value_or(yearIfMissing);
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return {};
    return QDate(year, written->month, written->day); // null when the day does not exist that year
}

QDate DayMonthInYear(int day, int month, int year) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear) return {};
    return QDate(year, month, 1).addDays(day - 1);
}

int ParseColor(QStringView text) {
    const QStringView colour = text.trimmed();
    if (colour.startsWith(u'#')) {
        const QStringView rest = colour.mid(1);
        if (!IsHexNumber(rest)) return 0;
        const auto pair = [rest](qsizetype i) {
            return i < rest.size() ? rest.mid(i, 2).toInt(nullptr, 16) : 0;
        };
        return Rgb(pair(0), pair(2), pair(4));
    }
    if (colour.startsWith(u"&h", Qt::CaseInsensitive)) {
        const QStringView rest = colour.mid(2);
        return IsHexNumber(rest) ? int(rest.toUInt(nullptr, 16)) : 0;
    }
    bool ok = false;
    const int value = colour.toInt(&ok, 10);
    return ok ? value : 0;
}

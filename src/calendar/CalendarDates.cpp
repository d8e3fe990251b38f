#include "calendar/CalendarDates.h"

QLocale CalendarLocale() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::German, QLocale::Germany) : system;
}

QString MonthTitle(const QDate& date) {
    const QLocale locale = CalendarLocale();
    return locale.standaloneMonthName(date.month(), QLocale::LongFormat) + u' ' +
           QString::number(date.year()).rightJustified(4, u'0');
}

QString ShortWeekday(const QDate& date) {
    // Locales abbreviate with three letters or a dot ("Mon", "Mo."); the grid has room for two.
    QString name = CalendarLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat);
    name.remove(u'.');
    return name.left(2);
}

QString DayMonth(const QDate& date) {
    return QStringLiteral("%1.%2. ")
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'));
}

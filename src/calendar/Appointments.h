#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <vector>

enum class AppointmentKind { Birthday = 0, Yearly = 1, Monthly = 2, Weekly = 3, Single = 4 };

struct AppointmentEntry {
    QDate BaseDate; // the date as written; for birthdays and yearly ones the year of the first occurrence
    QDate Date;     // the day it is shown on
    QString Text;
    int Color = 0;
    AppointmentKind Kind = AppointmentKind::Single;
};

// The kind named by field 3 of a "termin" line, after lower-casing; anything else is a single one.
AppointmentKind AppointmentKindOf(QStringView field);

// The occurrences of an appointment written on `written.BaseDate` that are shown for `year`: birthdays
// in `year`, `year` - 1 and `year` + 1 (in that order) after the year of birth; every other kind only in
// `year`. Monthly ones keep a day number that runs on beyond a month's end (31 January, 3 March,
// 3 April, ... in a common year). The cost does not grow with the age of the appointment.
std::vector<AppointmentEntry> ExpandAppointment(const AppointmentEntry& written, int year);

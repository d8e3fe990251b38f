#pragma once

#include "app/Settings.h"
#include "calendar/Appointments.h"
#include "calendar/Ferienland.h"
#include "calendar/MoonPhases.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <vector>

struct HolidayEntry {
    QString States; // state abbreviations as written, any separator; empty for every state
    QDate Date;
    QString Name;
    int Color = 0; // of the day number on a statutory holiday
    bool Statutory = false;
};

struct GarbageDayEntry {
    QDate Date;
    QString Text;
    int Color = 0;
};

struct SchoolHolidayEntry {
    QString State;
    QDate FromDate;
    QDate ToDate; // the last day
    QString Name;
    int Color = 0; // the state's colour when the line was read
};

// The calendar data of one year, rebuilt from the data file for every drawn calendar.
struct CalendarData {
    int Year = 0;
    std::vector<HolidayEntry> Holidays;             // by date, then name
    std::vector<GarbageDayEntry> GarbageDays;       // by date, only inside the displayed months
    std::vector<SchoolHolidayEntry> SchoolHolidays; // in file order
    FerienlandList States;
    std::vector<AppointmentEntry> Appointments; // by date, then text
    std::vector<MoonPhaseEntry> MoonPhases;     // Year, then Year - 1, then Year + 1; each in time order
};

// Lists hold at most this many entries; the rest of a file that would give more is dropped, so that
// memory and sorting time stay bounded whatever the file says.
constexpr std::size_t kMaxCalendarListEntries = 50000;

// Reads the data file `kalender.datendatei` and builds the data of `year`, with the neighbouring
// months when `vormonat` / `folgemonat` are on and the moon phases when `mondphasen` is on. A missing,
// unreadable or oversized file gives empty lists, moon phases included. Never reports anything: a line
// that cannot be used is skipped as a whole.
CalendarData LoadCalendarData(int year, const Settings::Kalender& kalender);

// The same from the file's bytes.
CalendarData BuildCalendarData(int year, QByteArrayView fileBytes, const Settings::Kalender& kalender);

// Whether a holiday belongs to the chosen state: its States are empty or contain `state`, ignoring case.
bool HolidayApplies(const HolidayEntry& entry, QStringView state);

// Whether a school-holiday period belongs to the chosen states: its State is empty or occurs inside
// `chosenStates`, ignoring case.
bool SchoolHolidayApplies(const SchoolHolidayEntry& entry, QStringView chosenStates);

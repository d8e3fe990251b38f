#include "calendar/CalendarData.h"

#include "app/Clock.h"
#include "calendar/CalendarFile.h"
#include "calendar/CalendarSyntax.h"
#include "calendar/GappedSort.h"
#include "calendar/TimeZone.h"
#include "calendar/YearBaseDates.h"

#include <QStringList>
#include <array>

// Each line is trimmed and split at every ";" (no quoting); field 0, lower-cased, is the keyword. A line
// is skipped as a whole when it lacks a field its keyword needs or when a date, offset or state in it
// cannot be read; optional fields (the statutory mark, the states, a colour, the appointment kind) may
// be missing. Fields needed, counting the keyword: feiertag 4, müll 3, ferienland 3, ferien 5, termin 3.

namespace {

template <typename T> void AppendBounded(std::vector<T>& list, T entry) {
    if (list.size() < kMaxCalendarListEntries) list.push_back(std::move(entry));
}

class CalendarBuilder {
public:
    CalendarBuilder(int year, const Settings::Kalender& kalender)
        : kalender_(kalender),
          todayYear_(Now().date().year()), bases_{ComputeYearBaseDates(year), ComputeYearBaseDates(year - 1),
                                                  ComputeYearBaseDates(year + 1)} {
        data_.Year = year;
        spanFirst_ = QDate(year, 1, 1);
        spanLast_ = QDate(year, 12, 31);
        if (kalender.vormonat == 1) spanFirst_ = spanFirst_.addMonths(-1);
        if (kalender.folgemonat == 1) spanLast_ = spanLast_.addMonths(1);
    }

    void readLine(const QString& text) {
        const QString line = text.trimmed();
        if (line.isEmpty()) return;
        const QStringList fields = line.split(u';');
        const QString keyword = fields[0].toLower();
        if (keyword == u"feiertag")
            addHoliday(fields);
        else if (keyword == u"müll" && kalender_.müll == 1)
            addGarbageDay(fields);
        else if (keyword == u"ferienland" && kalender_.ferien == 1)
            setStateColour(fields);
        else if (keyword == u"ferien" && kalender_.ferien == 1)
            addSchoolHoliday(fields);
        else if (keyword == u"termin" && kalender_.termine == 1)
            addAppointment(fields);
    }

    CalendarData finish() {
        GappedInsertionSort(data_.Holidays, [](const HolidayEntry& a, const HolidayEntry& b) {
            return a.Date > b.Date || (a.Date == b.Date && a.Name > b.Name);
        });
        GappedInsertionSort(data_.GarbageDays, [](const GarbageDayEntry& a, const GarbageDayEntry& b) {
            return a.Date > b.Date;
        });
        GappedInsertionSort(data_.Appointments, [](const AppointmentEntry& a, const AppointmentEntry& b) {
            return a.Date > b.Date || (a.Date == b.Date && a.Text > b.Text);
        });
        if (kalender_.mondphasen == 1) {
            const int offset = TimeZoneOffsetHours();
            for (const YearBaseDates& bases : shownYears())
                AddMoonPhasesOfYear(data_.MoonPhases, bases.year, bases.SummerTimeStart, bases.SummerTimeEnd,
                                    offset);
        }
        return std::move(data_);
    }

private:
    // The base dates of the shown years, in the order their entries are made: Year, Year - 1, Year + 1.
    std::vector<YearBaseDates> shownYears() const {
        std::vector<YearBaseDates> years{bases_[0]};
        if (kalender_.vormonat == 1) years.push_back(bases_[1]);
        if (kalender_.folgemonat == 1) years.push_back(bases_[2]);
        return years;
    }

    void addHoliday(const QStringList& fields) {
        if (fields.size() < 4) return;
        HolidayEntry entry{fields.value(5).trimmed(),
                           {},
                           fields[1].trimmed(),
                           0,
                           fields.value(4).trimmed() == u"gesetzlich"};
        if (fields.size() >= 7) entry.Color = ParseColor(fields[6]);
        const QString base = fields[2].trimmed();
        for (const YearBaseDates& bases : shownYears()) {
            entry.Date = HolidayDate(base, fields[3], bases);
            if (entry.Date.isValid()) AppendBounded(data_.Holidays, entry);
        }
    }

    void addGarbageDay(const QStringList& fields) {
        if (fields.size() < 3) return;
        const QDate date = ParseCalendarDate(fields[1], todayYear_);
        if (date.isValid() && date >= spanFirst_ && date <= spanLast_)
            AppendBounded(data_.GarbageDays,
                          {date, fields[2], fields.size() >= 4 ? ParseColor(fields[3]) : 0});
    }

    void setStateColour(const QStringList& fields) {
        cFerienland* state = fields.size() >= 3 ? data_.States.find(fields[1].trimmed()) : nullptr;
        if (state != nullptr) state->farbe = ParseColor(fields[2]);
    }

    void addSchoolHoliday(const QStringList& fields) {
        if (fields.size() < 5) return;
        const QString stateName = fields[4].trimmed();
        cFerienland* state = data_.States.find(stateName);
        const QDate from = ParseCalendarDate(fields[1], todayYear_);
        const QDate to = ParseCalendarDate(fields[2], todayYear_);
        if (state == nullptr || !from.isValid() || !to.isValid()) return;
        AppendBounded(data_.SchoolHolidays, {stateName, from, to, fields[3].trimmed(), state->farbe});
        state->vorhanden = true;
    }

    void addAppointment(const QStringList& fields) {
        if (fields.size() < 3) return;
        const QDate date = ParseCalendarDate(fields[1], todayYear_);
        if (!date.isValid()) return;
        const AppointmentEntry written{date, date, fields[2],
                                       fields.size() >= 5 ? ParseColor(fields[4]) : kalender_.terminefarbe,
                                       AppointmentKindOf(fields.value(3))};
        for (AppointmentEntry& entry : ExpandAppointment(written, data_.Year))
            AppendBounded(data_.Appointments, std::move(entry));
    }

    const Settings::Kalender& kalender_;
    const int todayYear_;
    const std::array<YearBaseDates, 3> bases_;
    CalendarData data_;
    QDate spanFirst_; // the displayed months, which bound the garbage days
    QDate spanLast_;
};

} // namespace

CalendarData BuildCalendarData(int year, QByteArrayView fileBytes, const Settings::Kalender& kalender) {
    CalendarBuilder builder(year, kalender);
    for (const QString& line : SplitCalendarLines(DecodeCalendarText(fileBytes)))
        builder.readLine(line);
    return builder.finish();
}

CalendarData LoadCalendarData(int year, const Settings::Kalender& kalender) {
    const std::optional<QByteArray> bytes = ReadCalendarFile(kalender.datendatei);
    if (!bytes) {
        CalendarData empty;
        empty.Year = year;
        return empty;
    }
    return BuildCalendarData(year, *bytes, kalender);
}

bool HolidayApplies(const HolidayEntry& entry, QStringView state) {
    return entry.States.isEmpty() || entry.States.contains(state, Qt::CaseInsensitive);
}

bool SchoolHolidayApplies(const SchoolHolidayEntry& entry, QStringView chosenStates) {
    return entry.State.isEmpty() || chosenStates.contains(entry.State, Qt::CaseInsensitive);
}

#include "app/Clock.h"
#include "calendar/CalendarData.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using Holidays = std::map<QDate, QString>;

// The statutory holidays of the shipped data file in 2026 that belong to `state`.
Holidays StatutoryIn(const CalendarData& data, QStringView state) {
    Holidays days;
    for (const HolidayEntry& h : data.Holidays)
        if (h.Statutory && HolidayApplies(h, state)) {
            EXPECT_TRUE(days.emplace(h.Date, h.Name).second) << h.Name.toStdString();
            EXPECT_EQ(h.Color, 0x0000FF) << h.Name.toStdString();
        }
    return days;
}

CalendarData Shipped2026() {
    Settings::Kalender kalender;
    kalender.datendatei = VELOMIRA_SOURCE_DIR "/data/Velomira.cfg";
    kalender.mondphasen = 0;
    return LoadCalendarData(2026, kalender);
}

} // namespace

// 2026: Easter Sunday is 5 April, 1 November a Sunday.
TEST(ShippedData, StatutoryHolidaysByState2026) {
    const CalendarData data = Shipped2026();
    const Holidays common = {
        {{2026, 1, 1}, "Neujahr"},
        {{2026, 4, 3}, "Karfreitag"},
        {{2026, 4, 6}, "Ostermontag"},
        {{2026, 5, 1}, "Tag der Arbeit"},
        {{2026, 5, 14}, "Christi Himmelfahrt"},
        {{2026, 5, 25}, "Pfingstmontag"},
        {{2026, 10, 3}, "Tag der Deutschen Einheit"},
        {{2026, 12, 25}, "1. Weihnachtstag"},
        {{2026, 12, 26}, "2. Weihnachtstag"},
    };
    const auto with = [&common](const Holidays& extra) {
        Holidays all = common;
        all.insert(extra.begin(), extra.end());
        return all;
    };
    EXPECT_EQ(StatutoryIn(data, u"NW"),
              with({{{2026, 6, 4}, "Fronleichnam"}, {{2026, 11, 1}, "Allerheiligen"}}));
    EXPECT_EQ(StatutoryIn(data, u"NW").size(), 11u);
    EXPECT_EQ(StatutoryIn(data, u"BY"), with({{{2026, 1, 6}, QString::fromUtf8("Heilige Drei Könige")},
                                              {{2026, 6, 4}, "Fronleichnam"},
                                              {{2026, 11, 1}, "Allerheiligen"}}));
    EXPECT_EQ(StatutoryIn(data, u"SN"), with({{{2026, 10, 31}, "Reformationstag"},
                                              {{2026, 11, 18}, QString::fromUtf8("Buß- und Bettag")}}));
    EXPECT_EQ(StatutoryIn(data, u"BB"), with({{{2026, 4, 5}, "Ostersonntag"},
                                              {{2026, 5, 24}, "Pfingstsonntag"},
                                              {{2026, 10, 31}, "Reformationstag"}}));
    EXPECT_EQ(StatutoryIn(data, u"MV"),
              with({{{2026, 3, 8}, "Internationaler Frauentag"}, {{2026, 10, 31}, "Reformationstag"}}));
    EXPECT_EQ(StatutoryIn(data, u"TH"),
              with({{{2026, 9, 20}, "Weltkindertag"}, {{2026, 10, 31}, "Reformationstag"}}));
    EXPECT_EQ(StatutoryIn(data, u"SL"), with({{{2026, 6, 4}, "Fronleichnam"},
                                              {{2026, 8, 15}, QString::fromUtf8("Mariä Himmelfahrt")},
                                              {{2026, 11, 1}, "Allerheiligen"}}));
}

// Every state lists Easter and Whit Sunday once, statutory or not, and the other special days.
TEST(ShippedData, SpecialDays2026) {
    const CalendarData data = Shipped2026();
    const std::map<QString, QDate> expected = {
        {"Rosenmontag", {2026, 2, 16}},
        {"Aschermittwoch", {2026, 2, 18}},
        {QString::fromUtf8("Gründonnerstag"), {2026, 4, 2}},
        {"Muttertag", {2026, 5, 10}},
        {"Erntedankfest", {2026, 10, 4}},
        {"Volkstrauertag", {2026, 11, 15}},
        {"Totensonntag", {2026, 11, 22}},
        {"1. Advent", {2026, 11, 29}},
        {"4. Advent", {2026, 12, 20}},
        {"Heiligabend", {2026, 12, 24}},
        {"Silvester", {2026, 12, 31}},
        {"Beginn der Sommerzeit", {2026, 3, 29}},
        {"Ende der Sommerzeit", {2026, 10, 25}},
    };
    for (const auto& [name, date] : expected) {
        const auto it = std::find_if(data.Holidays.begin(), data.Holidays.end(),
                                     [&](const HolidayEntry& h) { return h.Name == name; });
        ASSERT_NE(it, data.Holidays.end()) << name.toStdString();
        EXPECT_EQ(it->Date, date) << name.toStdString();
        EXPECT_FALSE(it->Statutory);
    }
    for (const cFerienland& state : FerienlandList())
        for (const char* name : {"Ostersonntag", "Pfingstsonntag"})
            EXPECT_EQ(std::count_if(data.Holidays.begin(), data.Holidays.end(),
                                    [&](const HolidayEntry& h) {
                                        return h.Name == name && HolidayApplies(h, state.kurzname);
                                    }),
                      1)
                << name << " " << state.kurzname.toStdString();
}

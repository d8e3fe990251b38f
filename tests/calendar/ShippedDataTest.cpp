#include "calendar/CalendarData.h"

#include <gtest/gtest.h>
#include <map>

namespace {

CalendarData Shipped2026() {
    Settings::Kalender kalender;
    kalender.datendatei = VELOMIRA_SOURCE_DIR "/data/Velomira.cfg";
    kalender.mondphasen = 0;
    return LoadCalendarData(2026, kalender);
}

// "MM-dd name" of every holiday of 2026 that applies to `state` and is or is not statutory there.
QStringList HolidaysIn(const CalendarData& data, QStringView state, bool statutory) {
    QStringList days;
    for (const HolidayEntry& h : data.Holidays)
        if (h.Statutory == statutory && HolidayApplies(h, state)) days << h.Date.toString("MM-dd ") + h.Name;
    return days;
}

} // namespace

// 2026: Easter Sunday is 5 April, 1 November a Sunday.
TEST(ShippedData, StatutoryHolidaysByState2026) {
    const CalendarData data = Shipped2026();
    const QStringList everywhere = {"01-01 Neujahr",
                                    "04-03 Karfreitag",
                                    "04-06 Ostermontag",
                                    "05-01 Tag der Arbeit",
                                    "05-14 Christi Himmelfahrt",
                                    "05-25 Pfingstmontag",
                                    "10-03 Tag der Deutschen Einheit",
                                    "12-25 1. Weihnachtstag",
                                    "12-26 2. Weihnachtstag"};
    const std::pair<const char16_t*, QStringList> states[] = {
        {u"NW", {"06-04 Fronleichnam", "11-01 Allerheiligen"}},
        {u"BY", {"01-06 Heilige Drei Könige", "06-04 Fronleichnam", "11-01 Allerheiligen"}},
        {u"SN", {"10-31 Reformationstag", "11-18 Buß- und Bettag"}},
        {u"BB", {"04-05 Ostersonntag", "05-24 Pfingstsonntag", "10-31 Reformationstag"}},
        {u"MV", {"03-08 Internationaler Frauentag", "10-31 Reformationstag"}},
        {u"TH", {"09-20 Weltkindertag", "10-31 Reformationstag"}},
        {u"SL", {"06-04 Fronleichnam", "08-15 Mariä Himmelfahrt", "11-01 Allerheiligen"}},
    };
    for (const auto& [state, regional] : states) {
        QStringList expected = everywhere + regional;
        expected.sort();
        EXPECT_EQ(HolidaysIn(data, state, true), expected) << QString::fromUtf16(state).toStdString();
    }
    EXPECT_EQ(HolidaysIn(data, u"NW", true).size(), 11);
    for (const HolidayEntry& h : data.Holidays)
        EXPECT_EQ(h.Color, h.Statutory ? 0x0000FF : 0) << h.Name.toStdString();
}

// Every state lists Easter and Whit Sunday once, statutory or not, and the other special days.
TEST(ShippedData, SpecialDays2026) {
    const CalendarData data = Shipped2026();
    EXPECT_EQ(HolidaysIn(data, u"NW", false).join(u','),
              "02-16 Rosenmontag,02-18 Aschermittwoch,03-29 Beginn der Sommerzeit,04-02 Gründonnerstag,"
              "04-05 Ostersonntag,05-10 Muttertag,05-24 Pfingstsonntag,10-04 Erntedankfest,"
              "10-25 Ende der Sommerzeit,11-15 Volkstrauertag,11-22 Totensonntag,11-29 1. Advent,"
              "12-06 2. Advent,12-13 3. Advent,12-20 4. Advent,12-24 Heiligabend,12-31 Silvester");
    for (const cFerienland& state : FerienlandList()) {
        const QStringList all =
            HolidaysIn(data, state.kurzname, true) + HolidaysIn(data, state.kurzname, false);
        EXPECT_EQ(all.filter("Ostersonntag").size() + all.filter("Pfingstsonntag").size(), 2)
            << state.kurzname.toStdString();
    }
}

#include "calendar/CalendarData.h"
#include "app/Clock.h"
#include "calendar/CalendarFile.h"

#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <random>

namespace {

struct CalendarDataFixture : ::testing::Test {
    TempDir tmp;
    Settings::Kalender kalender;

    CalendarDataFixture() {
        kalender.datendatei = tmp.file("Velomira.cfg");
        kalender.mondphasen = 0;
        kalender.müll = kalender.ferien = kalender.termine = 1;
        SetClock([] { return QDateTime(QDate(2007, 6, 15), QTime(12, 0)); });
    }
    ~CalendarDataFixture() override { SetClock({}); }

    CalendarData load(const QByteArray& text, int year = 2007) {
        WriteFile(kalender.datendatei, text);
        return LoadCalendarData(year, kalender);
    }
};

std::vector<QDate> DatesOf(const auto& list) {
    std::vector<QDate> dates;
    for (const auto& entry : list)
        dates.push_back(entry.Date);
    return dates;
}

} // namespace

TEST_F(CalendarDataFixture, HolidayLines) {
    struct Case {
        const char* line;
        QDate date; // null: the line gives no entry
        bool statutory = false;
        int color = 0;
        const char* states = "";
    };
    const Case cases[] = {
        {"feiertag;Karfreitag;Ostern;-2;gesetzlich;;#FF0000", {2007, 4, 6}, true, 0x0000FF},
        {"FEIERTAG;Heilig Abend;;24.12.;;", {2007, 12, 24}},
        {"  Feiertag;Heilig Abend;;24.12.  ", {2007, 12, 24}},
        {"feiertag ;Heilig Abend;;24.12.;;", {}},
        {"# feiertag;Heilig Abend;;24.12.;;", {}},
        {"feiertag;Fronleichnam; Ostern ;60; gesetzlich ; BW,BY ", {2007, 6, 7}, true, 0, "BW,BY"},
        {"feiertag;Einheit;;03.10.;gesetzlich", {2007, 10, 3}, true},
        {"feiertag;Fest;ostern;-2", {}},
        {"feiertag;Fest;Ostern", {}},
        {"feiertag;Fest;Ostern;zwei;gesetzlich", {}},
        {"feiertag;Fest;;31.02.", {}},
        {"feiertag;Fest;;29.02.;Gesetzlich;;&h00FF00", {2007, 3, 1}, false, 0x00FF00},
        {"feiertag;Fest;;01.01.;gesetzlich;;#00FF00;mehr;Felder", {2007, 1, 1}, true, 0x00FF00},
    };
    for (const Case& c : cases) {
        const CalendarData data = load(c.line);
        if (c.date.isNull()) {
            EXPECT_TRUE(data.Holidays.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(data.Holidays.size(), 1u) << c.line;
        const HolidayEntry& h = data.Holidays[0];
        EXPECT_EQ(h.Date, c.date) << c.line;
        EXPECT_EQ(h.Statutory, c.statutory) << c.line;
        EXPECT_EQ(h.Color, c.color) << c.line;
        EXPECT_EQ(h.States, QString::fromUtf8(c.states)) << c.line;
    }
}

TEST_F(CalendarDataFixture, NeighbouringMonthsAddHolidaysOfTheirYears) {
    kalender.vormonat = kalender.folgemonat = 1;
    const CalendarData data = load("feiertag;Heilig Abend;;24.12.;;\nfeiertag;Ostermontag;Ostern;1\n");
    EXPECT_EQ(
        DatesOf(data.Holidays),
        std::vector<QDate>(
            {{2006, 4, 17}, {2006, 12, 24}, {2007, 4, 9}, {2007, 12, 24}, {2008, 3, 24}, {2008, 12, 24}}));
    kalender.vormonat = 0;
    EXPECT_EQ(load("feiertag;Heilig Abend;;24.12.;;").Holidays.size(), 2u);
}

TEST_F(CalendarDataFixture, SameDayEntriesAreOrderedByName) {
    const CalendarData data = load("feiertag;Zeta;;01.05.\nfeiertag;alpha;;01.05.\nfeiertag;Alpha;;01.05.\n"
                                   "feiertag;Neujahr;;01.01.\n"
                                   "termin;02.03.2007;b;x\ntermin;02.03.2007;a\ntermin;01.03.2007;z\n");
    ASSERT_EQ(data.Holidays.size(), 4u);
    EXPECT_EQ(data.Holidays[0].Name, "Neujahr");
    EXPECT_EQ(data.Holidays[1].Name, "Alpha");
    EXPECT_EQ(data.Holidays[2].Name, "Zeta");
    EXPECT_EQ(data.Holidays[3].Name, "alpha");
    ASSERT_EQ(data.Appointments.size(), 3u);
    EXPECT_EQ(data.Appointments[0].Text, "z");
    EXPECT_EQ(data.Appointments[1].Text, "a");
    EXPECT_EQ(data.Appointments[2].Text, "b");
}

TEST_F(CalendarDataFixture, StateColourAppliesToLaterSchoolHolidays) {
    const CalendarData data = load("ferien;02.04.2007;14.04.2007;Osterferien;NW\n"
                                   "ferienland; nw ;#00A000\n"
                                   "ferienland;BY\n"
                                   "ferienland;XX;#00A000\n"
                                   "ferien;25.06.2007;07.08.2007; Sommerferien ; NW \n"
                                   "ferien;01.01.2007;02.01.2007;Unbekannt;XX\n"
                                   "ferien;01.01.2007;;Ohne Ende;BY\n"
                                   "ferien;09.09.2007;01.09.2007;Rückwärts;HE;\n");
    ASSERT_EQ(data.SchoolHolidays.size(), 3u);
    EXPECT_EQ(data.SchoolHolidays[0].Color, Rgb(255, 0, 0));
    EXPECT_EQ(data.SchoolHolidays[1].Color, Rgb(0, 160, 0));
    EXPECT_EQ(data.SchoolHolidays[1].Name, "Sommerferien");
    EXPECT_EQ(data.SchoolHolidays[1].State, "NW");
    EXPECT_EQ(data.SchoolHolidays[1].ToDate, QDate(2007, 8, 7));
    EXPECT_EQ(data.SchoolHolidays[2].State, "HE"); // kept although it ends before it begins
    EXPECT_TRUE(data.States.find(u"NW")->vorhanden);
    EXPECT_TRUE(data.States.find(u"he")->vorhanden);
    EXPECT_FALSE(data.States.find(u"BY")->vorhanden);
    EXPECT_EQ(data.States.find(u"BY")->farbe, Rgb(255, 0, 0));

    kalender.ferien = 0;
    EXPECT_TRUE(load("ferien;02.04.2007;14.04.2007;Osterferien;NW").SchoolHolidays.empty());
}

TEST_F(CalendarDataFixture, StateTable) {
    const FerienlandList states;
    ASSERT_EQ(states.size(), 15);
    QStringList abbreviations;
    for (const cFerienland& s : states)
        abbreviations << s.kurzname;
    EXPECT_EQ(abbreviations.join(u','), "BW,BY,BB,HB,HH,HE,MV,NI,NW,RP,SL,SN,ST,SH,TH");
    EXPECT_EQ(states.find(u"th")->langname, QString::fromUtf8("Thüringen"));
    EXPECT_EQ(states.find(u"BE"), nullptr);
}

TEST_F(CalendarDataFixture, Birthdays) {
    const char* line = "termin;17.05.2007;Anna;Geburtstag;#0000FF";
    const CalendarData y2007 = load(line, 2007);
    ASSERT_EQ(y2007.Appointments.size(), 1u); // the next year's, whatever folgemonat says
    EXPECT_EQ(y2007.Appointments[0].Date, QDate(2008, 5, 17));
    EXPECT_EQ(y2007.Appointments[0].BaseDate, QDate(2007, 5, 17));
    EXPECT_EQ(y2007.Appointments[0].Kind, AppointmentKind::Birthday);
    EXPECT_EQ(y2007.Appointments[0].Color, 0xFF0000);
    EXPECT_EQ(DatesOf(load(line, 2008).Appointments), std::vector<QDate>({{2008, 5, 17}, {2009, 5, 17}}));
    EXPECT_EQ(DatesOf(load("termin;29.02.2004;Leo;geburtstag", 2007).Appointments),
              std::vector<QDate>({{2006, 3, 1}, {2007, 3, 1}, {2008, 2, 29}}));
}

TEST_F(CalendarDataFixture, RecurringAppointments) {
    kalender.terminefarbe = 0x123456;
    const CalendarData monthly = load("termin;31.01.2007;Zahltag;monatlich");
    ASSERT_EQ(monthly.Appointments.size(), 11u); // no February
    EXPECT_EQ(monthly.Appointments[1].Date, QDate(2007, 3, 3));
    EXPECT_EQ(monthly.Appointments[10].Date, QDate(2007, 12, 3));
    EXPECT_EQ(monthly.Appointments[1].BaseDate, QDate(2007, 3, 3));
    EXPECT_EQ(monthly.Appointments[1].Color, 0x123456);

    // 31 January 2000 runs on to 2 March (a leap year), then stays on the 2nd.
    const CalendarData old = load("termin;31.01.2000;Miete;MONATLICH", 2007);
    ASSERT_EQ(old.Appointments.size(), 12u);
    for (const AppointmentEntry& a : old.Appointments)
        EXPECT_EQ(a.Date.day(), 2);

    // 1 January of year 1 and of 2007 were both Mondays: every Monday of 2007, 53 of them.
    const CalendarData weekly = load("termin;01.01.0001;Chor;wöchentlich");
    ASSERT_EQ(weekly.Appointments.size(), 53u);
    EXPECT_EQ(weekly.Appointments.front().Date, QDate(2007, 1, 1));
    EXPECT_EQ(weekly.Appointments.back().Date, QDate(2007, 12, 31));
    EXPECT_EQ(weekly.Appointments.front().Kind, AppointmentKind::Weekly);

    const CalendarData others = load("termin;29.02.2004;Jahrestag;jährlich\n"
                                     "termin;01.03.2008;Später;jährlich\n"
                                     "termin;05.05.2007;Einmal\n"
                                     "termin;05.05.2008;Nächstes Jahr;einmal\n"
                                     "termin;05.13.2007;Falsch\n"
                                     "termin;05.05.2007\n");
    ASSERT_EQ(others.Appointments.size(), 2u);
    EXPECT_EQ(others.Appointments[0].Date, QDate(2007, 3, 1));
    EXPECT_EQ(others.Appointments[0].BaseDate, QDate(2004, 2, 29));
    EXPECT_EQ(others.Appointments[0].Kind, AppointmentKind::Yearly);
    EXPECT_EQ(others.Appointments[1].Kind, AppointmentKind::Single);

    EXPECT_TRUE(load("termin;01.01.9999;Ende;monatlich", 9999).Appointments.size() == 12u);
    kalender.termine = 0;
    EXPECT_TRUE(load("termin;05.05.2007;Einmal").Appointments.empty());
}

TEST_F(CalendarDataFixture, GarbageDaysOnlyInsideTheShownMonths) {
    const QByteArray file =
        "müll;30.11.2006;a\nmüll;01.12.2006;b\nmüll;01.01.2007;c;#00FF00\nmüll;31.12.2007;d\n"
        "müll;03.01.2008;e\nmüll;31.01.2008;f\nmüll;01.02.2008;g\nmüll;15.06.;h\n"
        "müll;31.06.2007;i\nmüll;01.03.2007\n";
    struct Case {
        int vormonat, folgemonat;
        std::vector<QDate> expected;
    };
    const Case cases[] = {
        {0, 0, {{2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}}},
        {1, 0, {{2006, 12, 1}, {2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}}},
        {0, 1, {{2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}, {2008, 1, 3}, {2008, 1, 31}}},
    };
    for (const Case& c : cases) {
        kalender.vormonat = c.vormonat;
        kalender.folgemonat = c.folgemonat;
        const CalendarData data = load(file);
        EXPECT_EQ(DatesOf(data.GarbageDays), c.expected) << c.vormonat << c.folgemonat;
        EXPECT_EQ(data.GarbageDays[c.vormonat].Color, 0x00FF00);
    }
    kalender.müll = 0;
    EXPECT_TRUE(load(file).GarbageDays.empty());
}

TEST_F(CalendarDataFixture, Windows1252FileFromWindows) {
    kalender.datendatei = VELOMIRA_SOURCE_DIR "/tests/data/calendar/windows-1252.cfg";
    const CalendarData data = LoadCalendarData(2007, kalender);
    ASSERT_EQ(data.Holidays.size(), 1u);
    EXPECT_EQ(data.Holidays[0].Name, QString::fromUtf8("Buß- und Bettag"));
    EXPECT_EQ(data.Holidays[0].Date, QDate(2007, 11, 21));
    ASSERT_EQ(data.GarbageDays.size(), 1u);
    EXPECT_EQ(data.GarbageDays[0].Text, QString::fromUtf8("Papier €"));
    ASSERT_EQ(data.Appointments.size(), 1u + 44u); // the yearly one and the Mondays from 5 March
    EXPECT_EQ(data.Appointments[0].Kind, AppointmentKind::Yearly);
    EXPECT_EQ(data.SchoolHolidays.size(), 1u);
}

TEST_F(CalendarDataFixture, MissingOversizedAndRandomFiles) {
    kalender.mondphasen = 1;
    kalender.datendatei = tmp.file("fehlt.cfg");
    const CalendarData missing = LoadCalendarData(2007, kalender);
    EXPECT_EQ(missing.Year, 2007);
    EXPECT_TRUE(missing.Holidays.empty() && missing.MoonPhases.empty());
    kalender.datendatei = tmp.path();
    EXPECT_TRUE(LoadCalendarData(2007, kalender).MoonPhases.empty());

    kalender.datendatei = tmp.file("Velomira.cfg");
    EXPECT_EQ(load("\n\n# nur Kommentar\r\n   \r").MoonPhases.size(), 50u);
    EXPECT_TRUE(load(QByteArray(kMaxCalendarFileBytes + 1, '\n')).MoonPhases.empty());

    std::mt19937 random(2007);
    const char* pieces[] = {"feiertag", "müll",        "ferienland", "ferien",     "termin",     ";",
                            ";",        "\n",          "\r",         "31.01.",     "29.02.0001", "Ostern",
                            "-99999",   "wöchentlich", "monatlich",  "geburtstag", "#",          "&h",
                            "NW",       "\xFF",        "\x80",       " "};
    QByteArray garbage;
    while (garbage.size() < 200000)
        garbage += (random() % 4 == 0) ? QByteArray(1, char(random())) : QByteArray(pieces[random() % 22]);
    const CalendarData data = load(garbage);
    EXPECT_LE(data.Appointments.size(), kMaxCalendarListEntries);
    EXPECT_EQ(data.MoonPhases.size(), 50u);
}

TEST_F(CalendarDataFixture, ListsStayBounded) {
    QByteArray file;
    for (int i = 0; i < 1200; ++i)
        file += "termin;01.01.0001;Chor;wöchentlich\n";
    EXPECT_EQ(load(file).Appointments.size(), kMaxCalendarListEntries);
}

TEST_F(CalendarDataFixture, MoonPhasesOfTheShownYears) {
    kalender.mondphasen = 1;
    kalender.vormonat = kalender.folgemonat = 1;
    const std::vector<MoonPhaseEntry> phases = load("").MoonPhases;
    ASSERT_GT(phases.size(), 140u);
    EXPECT_EQ(phases[0].Date.year(), 2007);
    EXPECT_EQ(phases[49].Date.year(), 2007);
    EXPECT_EQ(phases[50].Date.year(), 2006);
    EXPECT_EQ(phases.back().Date.year(), 2008);
}

TEST(CalendarMembership, HolidaysAndSchoolHolidays) {
    const auto holiday = [](const char* states, const char* state) {
        return HolidayApplies(HolidayEntry{states, {}, {}, 0, true}, QString::fromUtf8(state));
    };
    EXPECT_TRUE(holiday("", "NW"));
    EXPECT_TRUE(holiday("by", "BY"));
    EXPECT_TRUE(holiday("BW,BY", "BY"));
    EXPECT_TRUE(holiday("BW BY", "by"));
    EXPECT_TRUE(holiday("BWBY", "BY"));
    EXPECT_FALSE(holiday("BW,BY", "NW"));

    const auto school = [](const char* state, const char* chosen) {
        return SchoolHolidayApplies(SchoolHolidayEntry{state, {}, {}, {}, 0}, QString::fromUtf8(chosen));
    };
    EXPECT_TRUE(school("", "NW"));
    EXPECT_TRUE(school("NW", "NW"));
    EXPECT_TRUE(school("by", "NW;BY"));
    EXPECT_FALSE(school("HE", "NW;BY"));
}

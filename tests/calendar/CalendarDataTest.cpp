#include "calendar/CalendarData.h"
#include "app/Clock.h"
#include "calendar/CalendarFile.h"

#include "TestSupport.h"

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
        {"feiertag;Fest;Ostern", {}},
        {"feiertag;Fest;Ostern;zwei;gesetzlich", {}},
        {"feiertag;Fest;;29.02.;Gesetzlich;;&h00FF00;mehr", {2007, 3, 1}, false, 0x00FF00},
    };
    for (const Case& c : cases) {
        const std::vector<HolidayEntry> holidays = load(c.line).Holidays;
        ASSERT_EQ(holidays.size(), c.date.isNull() ? 0u : 1u) << c.line;
        if (!holidays.empty()) {
            const HolidayEntry& h = holidays[0];
            EXPECT_TRUE(h.Date == c.date && h.Statutory == c.statutory && h.Color == c.color) << c.line;
            EXPECT_EQ(h.States, QString::fromUtf8(c.states)) << c.line;
        }
    }
}

TEST_F(CalendarDataFixture, HolidaysOfTheShownYearsOrderedByDateAndName) {
    kalender.vormonat = kalender.folgemonat = 1;
    const CalendarData data = load("feiertag;Heilig Abend;;24.12.;;\nfeiertag;Ostermontag;Ostern;1\n"
                                   "feiertag;Zeta;;01.05.\nfeiertag;alpha;;01.05.\nfeiertag;Alpha;;01.05.\n");
    QStringList names;
    for (const HolidayEntry& h : data.Holidays)
        names << h.Date.toString("yyyy-MM-dd ") + h.Name;
    EXPECT_EQ(names.join(u','),
              "2006-04-17 Ostermontag,2006-05-01 Alpha,2006-05-01 Zeta,2006-05-01 alpha,"
              "2006-12-24 Heilig Abend,2007-04-09 Ostermontag,2007-05-01 Alpha,2007-05-01 Zeta,"
              "2007-05-01 alpha,2007-12-24 Heilig Abend,2008-03-24 Ostermontag,2008-05-01 Alpha,"
              "2008-05-01 Zeta,2008-05-01 alpha,2008-12-24 Heilig Abend");
}

TEST_F(CalendarDataFixture, StateColourAppliesToLaterSchoolHolidays) {
    const CalendarData data =
        load("ferien;02.04.2007;14.04.2007;Osterferien;NW\n"
             "ferienland; nw ;#00A000\nferienland;BY\nferienland;XX;#00A000\n"
             "ferien;25.06.2007;07.08.2007; Sommerferien ; NW \n"
             "ferien;01.01.2007;02.01.2007;Unbekannt;XX\nferien;01.01.2007;;Ohne Ende;BY\n"
             "ferien;09.09.2007;01.09.2007;Rückwärts;HE;\n");
    ASSERT_EQ(data.SchoolHolidays.size(), 3u);
    EXPECT_EQ(data.SchoolHolidays[0].Color, Rgb(255, 0, 0));
    const SchoolHolidayEntry& summer = data.SchoolHolidays[1];
    EXPECT_TRUE(summer.Color == Rgb(0, 160, 0) && summer.Name == "Sommerferien" && summer.State == "NW");
    EXPECT_EQ(data.SchoolHolidays[2].State, "HE"); // kept although it ends before it begins
    EXPECT_TRUE(data.States.find(u"NW")->vorhanden && data.States.find(u"he")->vorhanden);
    EXPECT_FALSE(data.States.find(u"BY")->vorhanden);
    EXPECT_EQ(data.States.find(u"BY")->farbe, Rgb(255, 0, 0));

    kalender.ferien = 0;
    EXPECT_TRUE(load("ferien;02.04.2007;14.04.2007;Osterferien;NW").SchoolHolidays.empty());
}

TEST_F(CalendarDataFixture, Appointments) {
    kalender.terminefarbe = 0x123456;
    const std::tuple<const char*, int, std::vector<QDate>> cases[] = {
        // Birthdays in the neighbouring years too, whatever vormonat and folgemonat say.
        {"termin;17.05.2007;Anna;Geburtstag", 2007, {{2008, 5, 17}}},
        {"termin;17.05.2007;Anna;geburtstag", 2008, {{2008, 5, 17}, {2009, 5, 17}}},
        {"termin;29.02.2004;Leo;geburtstag", 2007, {{2006, 3, 1}, {2007, 3, 1}, {2008, 2, 29}}},
        {"termin;29.02.2004;Jahrestag;jährlich", 2007, {{2007, 3, 1}}},
        {"termin;01.03.2008;Später;jährlich", 2007, {}},
        {"termin;05.05.2007;Einmal", 2007, {{2007, 5, 5}}},
        {"termin;05.05.2007;Einmal;einmal", 2008, {}},
        {"termin;05.13.2007;Falsch", 2007, {}},
        {"termin;05.05.2007", 2007, {}},
        {"termin;01.11.9999;Ende;monatlich", 9999, {{9999, 11, 1}, {9999, 12, 1}}},
    };
    for (const auto& [line, year, expected] : cases)
        EXPECT_EQ(DatesOf(load(line, year).Appointments), expected) << line;

    const CalendarData birthday = load("termin;17.05.2007;Anna;geburtstag;#0000FF");
    EXPECT_TRUE(birthday.Appointments[0].BaseDate == QDate(2007, 5, 17) &&
                birthday.Appointments[0].Kind == AppointmentKind::Birthday &&
                birthday.Appointments[0].Color == 0xFF0000);

    // The day number runs on beyond a month's end and keeps the new day: 31 January, 3 March, 3 April ...
    const std::vector<AppointmentEntry> monthly = load("termin;31.01.2007;Zahltag;monatlich").Appointments;
    ASSERT_EQ(monthly.size(), 11u);
    EXPECT_TRUE(monthly[1].Date == QDate(2007, 3, 3) && monthly[1].BaseDate == QDate(2007, 3, 3));
    EXPECT_TRUE(monthly[10].Date == QDate(2007, 12, 3) && monthly[10].Color == 0x123456);
    const std::vector<AppointmentEntry> old = load("termin;31.01.2000;Miete;MONATLICH").Appointments;
    EXPECT_EQ(old.size(), 12u);
    for (const AppointmentEntry& a : old)
        EXPECT_EQ(a.Date.day(), 2); // 31 January 2000 ran on to 2 March

    // 1 January of year 1 and of 2007 were both Mondays: every Monday of 2007, 53 of them.
    const std::vector<AppointmentEntry> weekly = load("termin;01.01.0001;Chor;wöchentlich").Appointments;
    ASSERT_EQ(weekly.size(), 53u);
    EXPECT_TRUE(weekly.front().Date == QDate(2007, 1, 1) && weekly.back().Date == QDate(2007, 12, 31));

    kalender.termine = 0;
    EXPECT_TRUE(load("termin;05.05.2007;Einmal").Appointments.empty());
}

TEST_F(CalendarDataFixture, GarbageDaysOnlyInsideTheShownMonths) {
    const QByteArray file =
        "müll;30.11.2006;a\nmüll;01.12.2006;b\nmüll;01.01.2007;c;#00FF00\nmüll;31.12.2007;d\n"
        "müll;03.01.2008;e\nmüll;31.01.2008;f\nmüll;01.02.2008;g\nmüll;15.06.;h\n"
        "müll;31.06.2007;i\nmüll;01.03.2007\n";
    const std::tuple<int, int, std::vector<QDate>> cases[] = {
        {0, 0, {{2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}}},
        {1, 0, {{2006, 12, 1}, {2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}}},
        {0, 1, {{2007, 1, 1}, {2007, 6, 15}, {2007, 12, 31}, {2008, 1, 3}, {2008, 1, 31}}},
    };
    for (const auto& [vormonat, folgemonat, expected] : cases) {
        kalender.vormonat = vormonat;
        kalender.folgemonat = folgemonat;
        const CalendarData data = load(file);
        EXPECT_EQ(DatesOf(data.GarbageDays), expected) << vormonat << folgemonat;
        EXPECT_EQ(data.GarbageDays[vormonat].Color, 0x00FF00);
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
    kalender.vormonat = 1;
    for (const QString& path : {tmp.file("fehlt.cfg"), tmp.path()}) {
        kalender.datendatei = path;
        const CalendarData missing = LoadCalendarData(2007, kalender);
        EXPECT_TRUE(missing.Year == 2007 && missing.Holidays.empty() && missing.MoonPhases.empty());
    }
    kalender.datendatei = tmp.file("Velomira.cfg");
    EXPECT_EQ(load("\n\n# nur Kommentar\r\n   \r").MoonPhases.size(), 50u + 49u);
    EXPECT_EQ(load("").MoonPhases[50].Date.year(), 2006); // the previous year's follow
    EXPECT_TRUE(load(QByteArray(kMaxCalendarFileBytes + 1, '\n')).MoonPhases.empty());

    std::mt19937 random(2007);
    const char* pieces[] = {"feiertag", "müll",        "ferienland", "ferien",     "termin",     ";",
                            ";",        "\n",          "\r",         "31.01.",     "29.02.0001", "Ostern",
                            "-99999",   "wöchentlich", "monatlich",  "geburtstag", "#",          "NW"};
    QByteArray garbage;
    while (garbage.size() < 200000)
        garbage += (random() % 4 == 0) ? QByteArray(1, char(random())) : QByteArray(pieces[random() % 18]);
    const CalendarData data = load(garbage);
    EXPECT_EQ(data.MoonPhases.size(), 99u);
    const auto byDate = [](const auto& a, const auto& b) { return a.Date < b.Date; };
    EXPECT_TRUE(std::is_sorted(data.Appointments.begin(), data.Appointments.end(), byDate));
    EXPECT_TRUE(std::is_sorted(data.Holidays.begin(), data.Holidays.end(), byDate));
    EXPECT_TRUE(std::is_sorted(data.GarbageDays.begin(), data.GarbageDays.end(), byDate));
}

TEST_F(CalendarDataFixture, ListsStayBounded) {
    QByteArray file;
    for (int i = 0; i < 1200; ++i)
        file += "termin;" + QByteArray::number(i % 28 + 1) + ".01.0001;Chor;wöchentlich\n";
    const std::vector<AppointmentEntry> appointments = load(file).Appointments;
    EXPECT_EQ(appointments.size(), kMaxCalendarListEntries);
    EXPECT_TRUE(std::is_sorted(appointments.begin(), appointments.end(),
                               [](const auto& a, const auto& b) { return a.Date < b.Date; }));
}

TEST(CalendarMembership, HolidaysAndSchoolHolidays) {
    const std::tuple<const char*, const char*, bool> holidays[] = {
        {"", "NW", true},      {"by", "BY", true},   {"BW,BY", "BY", true},
        {"BW BY", "by", true}, {"BWBY", "BY", true}, {"BW,BY", "NW", false},
    };
    for (const auto& [states, state, expected] : holidays)
        EXPECT_EQ(HolidayApplies(HolidayEntry{states, {}, {}, 0, true}, QString::fromUtf8(state)), expected);
    const std::tuple<const char*, const char*, bool> school[] = {
        {"", "NW", true}, {"NW", "NW", true}, {"by", "NW;BY", true}, {"HE", "NW;BY", false}};
    for (const auto& [state, chosen, expected] : school)
        EXPECT_EQ(SchoolHolidayApplies(SchoolHolidayEntry{state, {}, {}, {}, 0}, QString::fromUtf8(chosen)),
                  expected);
}

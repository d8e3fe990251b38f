// The calendar data file: its fields, its lines, the lists built from them and the shipped file.
#include "app/Clock.h"
#include "calendar/CalendarData.h"
#include "calendar/CalendarFile.h"
#include "calendar/CalendarSyntax.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct DataFile : ::testing::Test {
    Settings::Kalender kalender;

    DataFile() {
        kalender.mondphasen = 0, kalender.müll = kalender.ferien = kalender.termine = 1;
        SetClock([] { return QDateTime(QDate(2007, 6, 15), QTime(12, 0)); });
    }
    ~DataFile() override { SetClock({}); }
    CalendarData build(const QString& t, int y = 2007) { return BuildCalendarData(y, t.toUtf8(), kalender); }
};

// The entries of a list as "date fields", comma-separated.
std::string Entries(const auto& list, const auto& fields) {
    QStringList entries;
    for (const auto& entry : list)
        entries << (entry.Date.toString(Qt::ISODate) + " " + fields(entry)).trimmed();
    return entries.join(u',').toStdString();
}
const auto kNoFields = [](const auto&) { return QString(); };
const auto Hex = [](int colour) { return QString::number(colour, 16); };

// "MM-dd name" of every holiday that applies to `state` and is or is not statutory there, comma-separated.
std::string HolidaysIn(const CalendarData& data, QStringView state, bool statutory) {
    QStringList days;
    for (const HolidayEntry& h : data.Holidays)
        if (h.Statutory == statutory && HolidayApplies(h, state)) days << h.Date.toString("MM-dd ") + h.Name;
    return days.join(u',').toStdString();
}

} // namespace

// Windows-1252 comes with the file from Windows below.
TEST(CalendarSyntax, DatesColoursByteOrderMarksAndLineEnds) {
    const std::pair<const char*, QDate> dates[] = {
        {"7.5.2007.", {2007, 5, 7}}, {" 1 7 . 0 5 . 2 0 0 7 ", {2007, 5, 17}}, {"24.12", {2007, 12, 24}}};
    for (const auto& [text, expected] : dates)
        EXPECT_EQ(ParseCalendarDate(QString::fromUtf8(text), 2007), expected) << text;
    for (const char* text : {"29.02.2007", "29.02.", "31.04.2007", "01.13.2007", "17.05.07", "17.05.2007..",
                             "17-05-2007", "+1.05.2007", "17"})
        EXPECT_FALSE(ParseCalendarDate(QString::fromUtf8(text), 2007).isValid()) << text;
    EXPECT_EQ(ParseCalendarDate(u"29.02.", 2008), QDate(2008, 2, 29));

    const std::pair<const char*, int> colours[] = {
        {"#123456", 0x563412}, {"#FF", 0x0000FF}, {"#GG0000", 0}, {"&H00FFFF", 0x00FFFF},
        {"&hFFFFFFFF", -1},    {"  255  ", 255},  {"1.5", 0},     {"99999999999", 0}};
    for (const auto& [text, expected] : colours)
        EXPECT_EQ(ParseColor(QString::fromUtf8(text)), expected) << text;

    const QString text = QString::fromUtf8("müll €");
    EXPECT_EQ(DecodeCalendarText("\xEF\xBB\xBF" + text.toUtf8()), text);
    EXPECT_EQ(DecodeCalendarText(QByteArray("\xFF\xFEm\0\xFC\0l\0l\0 \0\xAC\x20", 14)), text);
    EXPECT_EQ(SplitCalendarLines("a\r\nb\nc\rd\r\n\r\ne\n\r"),
              QStringList({"a", "b", "c", "d", "", "e", "", ""}));
}

TEST_F(DataFile, HolidayLines) {
    // The lines | their entries as "date name statutory colour states", empty when they give none.
    const auto entry = [](const HolidayEntry& h) {
        return h.Name + " " + QString::number(h.Statutory) + " " + Hex(h.Color) + " " + h.States;
    };
    for (const char* row :
         {"feiertag;Karfreitag;Ostern;-2;gesetzlich;;#FF0000|2007-04-06 Karfreitag 1 ff",
          "  FEIERTAG;Abend;;24.12.  |2007-12-24 Abend 0 0", "feiertag ;Abend;;24.12.;;|",
          "feiertag;Fest;Ostern|",
          "feiertag;Zeta;;01.05.\nfeiertag;Alpha;;01.05.|2007-05-01 Alpha 0 0,2007-05-01 Zeta 0 0",
          "feiertag;Fronleichnam; Ostern ;60; gesetzlich ; BW,BY |2007-06-07 Fronleichnam 1 0 BW,BY",
          "feiertag;Fest;;29.02.;Gesetzlich;;&h00FF00;mehr|2007-03-01 Fest 0 ff00"}) {
        const QStringList f = QString::fromUtf8(row).split(u'|');
        EXPECT_EQ(Entries(build(f[0]).Holidays, entry), f[1].toStdString()) << row;
    }
}

TEST_F(DataFile, SchoolHolidaysTakeTheStateColourOfTheirTime) {
    const CalendarData data =
        build("ferien;02.04.2007;14.04.2007;Osterferien;NW\n"
              "ferienland; nw ;#00A000\nferienland;BY\nferienland;XX;#00A000\n"
              "ferien;25.06.2007;07.08.2007; Sommerferien ; NW \n"
              "ferien;01.01.2007;02.01.2007;Unbekannt;XX\nferien;01.01.2007;;Ohne Ende;BY\n"
              "ferien;09.09.2007;01.09.2007;Rückwärts;HE;\n");
    QStringList entries; // one that ends before it begins is kept
    for (const SchoolHolidayEntry& s : data.SchoolHolidays)
        entries << s.State + " " + s.Name + " " + Hex(s.Color);
    EXPECT_EQ(entries.join(u',').toStdString(), "NW Osterferien ff,NW Sommerferien a000,HE Rückwärts ff");
    EXPECT_TRUE(data.States.find(u"NW")->vorhanden && data.States.find(u"he")->vorhanden &&
                !data.States.find(u"BY")->vorhanden);

    EXPECT_TRUE(SchoolHolidayApplies({"", {}, {}, {}, 0}, u"NW") &&
                SchoolHolidayApplies({"by", {}, {}, {}, 0}, u"NW;BY") &&
                HolidayApplies({"bw,by", {}, {}, 0, true}, u"BY"));
}

TEST_F(DataFile, Appointments) {
    // The line | the year | the days it is shown on. Birthdays come in the neighbouring years too,
    // whatever vormonat and folgemonat say.
    for (const char* row :
         {"termin;17.05.2007;Anna;geburtstag|2008|2008-05-17,2009-05-17",
          "termin;29.02.2004;Leo;geburtstag|2007|2006-03-01,2007-03-01,2008-02-29",
          "termin;01.03.2008;Später;jährlich|2007|", "termin;05.05.2007;Einmal;einmal|2008|",
          "termin;05.05.2007|2007|", "termin;01.11.9999;Ende;monatlich|9999|9999-11-01,9999-12-01",
          // The day number runs on beyond a month's end and keeps the new day, from an old start too.
          "termin;31.01.2000;Miete;MONATLICH|2007|2007-01-02,2007-02-02,2007-03-02,2007-04-02,2007-05-02,"
          "2007-06-02,2007-07-02,2007-08-02,2007-09-02,2007-10-02,2007-11-02,2007-12-02"}) {
        const QStringList f = QString::fromUtf8(row).split(u'|');
        EXPECT_EQ(Entries(build(f[0], f[1].toInt()).Appointments, kNoFields), f[2].toStdString()) << row;
    }

    // 2 January of year 1 was a Tuesday: every Tuesday of 2007, 52 of them, in the line's colour.
    const auto weekly = build("termin;02.01.0001;Chor;wöchentlich;#0000FF").Appointments;
    EXPECT_TRUE(weekly.size() == 52 && weekly.front().Date == QDate(2007, 1, 2) &&
                weekly.back().Date == QDate(2007, 12, 25) && weekly.back().Color == 0xFF0000);
}

// Holidays come in the neighbouring years, garbage days only inside the shown months.
TEST_F(DataFile, NeighbouringMonths) {
    kalender.vormonat = kalender.folgemonat = 1;
    const CalendarData data =
        build("feiertag;Neujahr;;01.01.\nmüll;30.11.2006;a\nmüll;01.12.2006;b\nmüll;01.01.2007;c;#00FF00\n"
              "müll;15.06.;h\nmüll;31.01.2008;f\nmüll;01.02.2008;g\nmüll;31.06.2007;i\nmüll;01.03.2007\n");
    EXPECT_EQ(Entries(data.Holidays, kNoFields), "2006-01-01,2007-01-01,2008-01-01");
    EXPECT_EQ(Entries(data.GarbageDays, [](const GarbageDayEntry& g) { return g.Text + " " + Hex(g.Color); }),
              "2006-12-01 b 0,2007-01-01 c ff00,2007-06-15 h 0,2008-01-31 f 0");
}

TEST_F(DataFile, ReadFromDiskOrNotAtAll) {
    kalender.datendatei = VELOMIRA_SOURCE_DIR "/tests/data/calendar/windows-1252.cfg"; // upper-case keywords
    const CalendarData windows = LoadCalendarData(2007, kalender);
    EXPECT_EQ(Entries(windows.Holidays, [](const HolidayEntry& h) { return h.Name; }) + ";" +
                  Entries(windows.GarbageDays, [](const GarbageDayEntry& g) { return g.Text; }),
              "2007-11-21 Buß- und Bettag;2007-03-14 Papier €");
    EXPECT_EQ(windows.Appointments.size(), 1u + 44u); // the yearly one and the Mondays from 5 March

    // A missing file, a folder or an oversized file: no lists at all, moon phases included.
    const TempDir tmp;
    WriteFile(tmp.file("gross.cfg"), QByteArray(kMaxCalendarFileBytes + 1, '\n'));
    kalender.mondphasen = 1;
    for (const QString& path : {tmp.file("fehlt.cfg"), tmp.path(), tmp.file("gross.cfg")}) {
        kalender.datendatei = path;
        EXPECT_TRUE(LoadCalendarData(2007, kalender).MoonPhases.empty()) << path.toStdString();
    }
    EXPECT_FALSE(build("\n# nur Kommentar\r\n").MoonPhases.empty()); // a readable file without a line
}

// 2026: Easter Sunday is 5 April, 1 November a Sunday.
TEST_F(DataFile, ShippedHolidaysOf2026) {
    kalender.datendatei = VELOMIRA_SOURCE_DIR "/data/Velomira.cfg";
    const CalendarData data = LoadCalendarData(2026, kalender);
    const QString everywhere =
        "01-01 Neujahr,04-03 Karfreitag,04-06 Ostermontag,05-01 Tag der Arbeit,"
        "05-14 Christi Himmelfahrt,05-25 Pfingstmontag,10-03 Tag der Deutschen Einheit,"
        "12-25 1. Weihnachtstag,12-26 2. Weihnachtstag,";
    for (const char* row : {"NW|06-04 Fronleichnam,11-01 Allerheiligen",
                            "BY|01-06 Heilige Drei Könige,06-04 Fronleichnam,11-01 Allerheiligen",
                            "SN|10-31 Reformationstag,11-18 Buß- und Bettag",
                            "BB|04-05 Ostersonntag,05-24 Pfingstsonntag,10-31 Reformationstag",
                            "MV|03-08 Internationaler Frauentag,10-31 Reformationstag",
                            "TH|09-20 Weltkindertag,10-31 Reformationstag",
                            "SL|06-04 Fronleichnam,08-15 Mariä Himmelfahrt,11-01 Allerheiligen"}) {
        const QStringList f = QString::fromUtf8(row).split(u'|');
        QStringList expected = (everywhere + f[1]).split(u',');
        expected.sort();
        EXPECT_EQ(HolidaysIn(data, f[0], true), expected.join(u',').toStdString()) << row;
    }
    EXPECT_EQ(HolidaysIn(data, u"NW", false),
              "02-16 Rosenmontag,02-18 Aschermittwoch,03-29 Beginn der Sommerzeit,04-02 Gründonnerstag,"
              "04-05 Ostersonntag,05-10 Muttertag,05-24 Pfingstsonntag,10-04 Erntedankfest,"
              "10-25 Ende der Sommerzeit,11-15 Volkstrauertag,11-22 Totensonntag,11-29 1. Advent,"
              "12-06 2. Advent,12-13 3. Advent,12-20 4. Advent,12-24 Heiligabend,12-31 Silvester");
}

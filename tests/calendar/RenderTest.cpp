// The calendar drawn with the real image library, in-process on a white canvas and by `velomira --next`.
// Every expected coordinate is worked out by hand: the block's top-left corner at (10, 10), columns 30
// wide, rows 25 high, list lines 15; 11 December 2024, a Wednesday, lies in row 3 of its month, column 4.
#include "app/Clock.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "calendar/CalendarLayout.h"
#include "calendar/CalendarText.h"
#include "calendar/FontInstalled.h"
#include "calendar/MoonSymbols.h"
#include "calendar/RenderCalendar.h"
#include "compose/WorkingImage.h"

#include "StampSupport.h"

#include <functional>

namespace {

const QColor kDays(0, 0, 160), kLines(150, 150, 150), kStatutory(0, 160, 0), kNw(255, 0, 0), kBy(255, 160, 0),
    kPaper(128, 64, 0), kYellow(224, 224, 0), kTermine(0, 120, 120);

// The holidays, periods, garbage days and appointments of every calendar below.
const char* const kData =
    "feiertag;Testtag;;18.12.;gesetzlich;;#00A000\nfeiertag;Nebentag;;19.12.;;;#A000A0\n"
    "feiertag;Fremdtag;;17.12.;gesetzlich;BY;#00A000\nferienland;NW;#FF0000\nferienland;BY;#FFA000\n"
    "ferien;16.12.2024;20.12.2024;Ferien;NW\nferien;18.12.2024;03.01.2025;Ferien;BY\n"
    "müll;10.12.2024;Papier;#804000\nmüll;10.12.2024;Gelb;#E0E000\n"
    "termin;05.12.2024;Frisör\ntermin;20.12.2024;Bernd\ntermin;20.12.2024;Anna\n";

// The settings of every calendar below, colours as 0xBBGGRR: kDays, kLines and kTermine. %1 holds the
// data file and takes the wallpaper.
const char* const kIni =
    "[misc]\nmagnify=2\nreihenfolge=1\nbmpverzeichnis=%1\n[kalender]\nausgeben=1\nposition=1\n"
    "offsetx=10\noffsety=10\ntagefarbe=10485760\ntrennlinienfarbe=9868950\nterminefarbe=7895040\n"
    "ferienländer=NW;BY\nferien=1\nferienlegende=1\nmüll=1\ntermine=1\nmondphasen=0\n"
    "datendatei=%1/Velomira.cfg\n[path]\n1=" VELOMIRA_SOURCE_DIR "/data/samples/\n";

// Writes the data file into `tmp`; returns the settings that read it and put the wallpaper there too.
QByteArray WriteDataFile(const TempDir& tmp) {
    WriteFile(tmp.file("Velomira.cfg"), kData);
    return QString(kIni).arg(tmp.path()).toUtf8();
}

// Today: inner frame (105, 112)-(134, 133), outer lines one pixel out, corners open. 18 December in NW
// and BY holidays: two 2-pixel bars above y 159, the first listed lowest; one period: a 4-pixel bar.
// 10 December: two garbage markers right of its cell, 9 pixels each from y 132 up. Legend: BY before
// NW, as the states are ordered. Nothing due today: one line in the list colour above the first later
// appointment (y 330), no frame. The separators: the title's line at y 35, the last row's at y 185, from
// x 9 to 255; the vertical one ends at y 210 with the sixth row. Pixels of that colour, and of any other.
void ExpectTheCalendarOf11December(const std::function<QColor(int, int)>& at) {
    const std::tuple<int, int, QColor> drawn[] = {
        {120, 111, kDays}, {120, 133, kDays},    {104, 122, kDays},  {135, 122, kDays},   {115, 157, kNw},
        {115, 155, kBy},   {60, 155, kNw},       {102, 123, kPaper}, {102, 122, kYellow}, {20, 232, kBy},
        {20, 247, kNw},    {254, 330, kTermine}, {9, 35, kLines},    {255, 185, kLines},  {40, 210, kLines}};
    for (const auto& [x, y, colour] : drawn)
        EXPECT_EQ(at(x, y), colour) << x << "," << y;
    const std::tuple<int, int, QColor> other[] = {
        {104, 111, kDays}, {115, 154, kBy}, {102, 113, kYellow}, {10, 338, kTermine}, {40, 211, kLines}};
    for (const auto& [x, y, colour] : other)
        EXPECT_NE(at(x, y), colour) << x << "," << y;
}

struct CalendarPicture : LibraryTest {
    TempDir tmp;
    Settings::Kalender k;
    Canvas canvas{300, 400, Qt::white};

    void SetUp() override {
        LibraryTest::SetUp();
        SetClock([] { return QDateTime(QDate(2024, 12, 11), QTime(12, 0)); });
        WriteFile(tmp.file("Velomira.ini"), WriteDataFile(tmp));
        k = LoadSettings(SettingsStore(tmp.file("Velomira.ini"))).settings.kalender;
    }
    void TearDown() override { SetClock({}); }
    void render() {
        canvas = Canvas(300, 400, Qt::white);
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        RenderCalendar(k);
    }
    // Whether the darkest pixel of an area, where anti-aliased text takes its colour whole, is near `ink`.
    bool inked(QRect area, QColor ink) const {
        QColor c = Qt::white;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                c = std::min(c, canvas.at(x, y),
                             [](QColor a, QColor b) { return a.lightness() < b.lightness(); });
        return qAbs(c.red() - ink.red()) + qAbs(c.green() - ink.green()) + qAbs(c.blue() - ink.blue()) < 60;
    }
};

} // namespace

TEST_F(CalendarPicture, OwnMoonSymbolsWithoutTheMoonFont) {
    // Fonts are looked up without regard to case; the moon font is not installed here.
    ASSERT_TRUE(FontInstalled(u"dejavu sans") && !FontInstalled(u"DejaVu") &&
                !FontInstalled(QString(kMoonFont)));
    // A 16-pixel symbol at the left of a 40 x 30 cell: the square (4, 7)-(20, 23). Ink at (8, 15),
    // (12, 15) and (16, 15): a filled disc, a ring, lit on the right, lit on the left.
    for (const auto& [symbol, expected] :
         {std::pair{kNewMoon, "###"}, {kFullMoon, "..."}, {kFirstQuarter, ".##"}, {kLastQuarter, "#.."}}) {
        canvas = Canvas(40, 30, Qt::white);
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        DrawMoonSymbol(symbol, {4, 0, 40, 30}, 16, 400, 0xc80000);
        const QRect drawn = canvas.changed(Qt::white);
        EXPECT_TRUE(QRect(4, 7, 16, 16).contains(drawn) && drawn.height() >= 15) << symbol;
        const auto ink = [&](int x) { return canvas.at(x, 15) == QColor(0, 0, 200) ? '#' : '.'; };
        EXPECT_EQ(std::string({ink(8), ink(12), ink(16)}), expected) << symbol;
    }
}

TEST_F(CalendarPicture, DaysFrameBarsMarkersListsAndSeparators) {
    k.tagekursiv = 256, k.termineunterstrichen = -1; // not a byte: the texts are drawn without them
    render();
    ExpectTheCalendarOf11December([this](int x, int y) { return canvas.at(x, y); });

    // Day numbers of row 4 (y 135-160): a statutory holiday of NW, one that is not statutory, a
    // statutory one of another state.
    EXPECT_TRUE(inked({100, 136, 30, 18}, kStatutory) && inked({130, 136, 30, 18}, kDays) &&
                inked({70, 136, 30, 18}, kDays));
    // Appointments at y 315 (5 Dec), 330 and 345 (both 20 Dec): the date heads the first line only.
    EXPECT_TRUE(inked({13, 317, 10, 11}, kTermine) && inked({13, 332, 10, 11}, kTermine) &&
                inked({13, 347, 10, 11}, Qt::white));

    k.ferienländer = "NW"; // the other state's bar goes, and the legend, which needs two
    render();
    EXPECT_EQ(canvas.at(115, 155), kNw);
    for (int i = 0; i < 30 * 20; ++i)
        ASSERT_NE(canvas.at(13 + i % 30, 230 + i / 30), kNw) << "a legend box at " << i;

    SetClock([] { return QDateTime(QDate(2021, 2, 10), QTime(12, 0)); }); // four rows: 1 to 28 February
    k.ferien = k.termine = k.feiertagnamen = 0;
    render();
    // The title's line at y 35, one line atop each row from y 60, 25 apart, from x 9 to 255; the
    // vertical line ends with the last row.
    for (int row = 0; row <= 6; ++row)
        EXPECT_EQ(canvas.at(9, 35 + 25 * row) == kLines && canvas.at(255, 35 + 25 * row) == kLines, row <= 4)
            << row;
    EXPECT_TRUE(canvas.at(40, 160) == kLines && canvas.at(40, 161) != kLines);
}

// A birthday's line is its text as written and the age: a "%1" in the text stays as it is.
TEST_F(CalendarPicture, BirthdayTextIsShownAsWritten) {
    const auto drawn = [&](const char* line) {
        WriteFile(tmp.file("Velomira.cfg"), line);
        render();
        return canvas.pixels;
    };
    EXPECT_EQ(drawn("termin;20.12.1947;Oma %1 Feier;geburtstag"),
              drawn("termin;20.12.2024;Oma %1 Feier (77)"));
}

TEST_F(CalendarPicture, BlockPlacement) {
    // Bottom right, 10 pixels in from the right edge: the last appointment line ends on the image's last row.
    k.position = 9, k.offsetx = -10, k.offsety = 0;
    const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
    const CalendarLayout layout = LayOutCalendar(k, LoadCalendarData(2024, k), QDate(2024, 12, 11));
    // 8 rows of 25, then a 15-pixel gap before each list: 2 legend, 2 holiday, 3 appointment lines.
    EXPECT_EQ(layout.H, 200 + 15 + 30 + 15 + 30 + 15 + 45);
    EXPECT_TRUE(layout.X + layout.W == 290 && layout.Y == 400 - layout.H &&
                layout.appointmentsTop + 3 * layout.LH == canvas.height);
    k.ferienländer = "NW"; // no legend, and no gap for it
    EXPECT_EQ(LayOutCalendar(k, LoadCalendarData(2024, k), QDate(2024, 12, 11)).H, 200 + 15 + 30 + 15 + 45);
    // Centred blocks round half to even: (300 - 277) / 2 = 11.5, (400 - 279) / 2 = 60.5.
    EXPECT_TRUE(AnchorX(5, 0, 277) == 12 && AnchorY(5, 0, 279) == 60);
}

// The whole program on 11 December 2024, with the same data and settings: the picture a person sees.
TEST(NextWithTheCalendar, DrawsItOnTheWallpaper) {
    TempDir tmp;
    const ProcessResult r = RunNext(tmp, "1920x1080", WriteDataFile(tmp));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage wallpaper(tmp.file("Velomira.bmp"));
    ASSERT_EQ(wallpaper.size(), QSize(1920, 1080));
    wallpaper.save(VELOMIRA_TEST_OUTPUT "/calendar-reference.png");
    ExpectTheCalendarOf11December([&](int x, int y) { return wallpaper.pixelColor(x, y); });
}

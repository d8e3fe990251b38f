// The calendar drawn on a plain white canvas with the real library, for a fixed "today" and data
// file; every expected coordinate is worked out by hand from the settings below.
#include "calendar/RenderCalendar.h"
#include "app/Clock.h"
#include "calendar/CalendarLayout.h"
#include "calendar/CalendarSyntax.h"
#include "calendar/CalendarText.h"
#include "calendar/MoonSymbols.h"
#include "compose/WorkingImage.h"

#include "StampSupport.h"
#include "TestSupport.h"

namespace {

const QColor kDays(0, 0, 160), kLines(150, 150, 150), kStatutory(0, 160, 0), kNw(255, 0, 0), kBy(255, 160, 0),
    kPaper(128, 64, 0), kYellow(224, 224, 0), kTermine(0, 120, 120);

// 11 December 2024 is a Wednesday: row 3 of its month, column 4.
const QByteArray kData = "feiertag;Testtag;;18.12.;gesetzlich;;#00A000\n"
                         "feiertag;Nebentag;;19.12.;;;#A000A0\n"
                         "feiertag;Fremdtag;;17.12.;gesetzlich;BY;#00A000\n"
                         "ferienland;NW;#FF0000\n"
                         "ferienland;BY;#FFA000\n"
                         "ferien;16.12.2024;20.12.2024;Weihnachten;NW\n"
                         "ferien;18.12.2024;03.01.2025;Weihnachten;BY\n"
                         "müll;10.12.2024;Papier;#804000\n"
                         "müll;10.12.2024;Gelb;#E0E000\n"
                         "termin;05.12.2024;Frisör\n"
                         "termin;20.12.2024;Bernd\n"
                         "termin;20.12.2024;Anna\n";

int Ref(QColor c) {
    return Rgb(c.red(), c.green(), c.blue());
}

struct CalendarPicture : LibraryTest {
    TempDir tmp;
    Settings::Kalender k;
    Canvas canvas{300, 400, Qt::white};

    void SetUp() override {
        LibraryTest::SetUp();
        today(QDate(2024, 12, 11));
        k.datendatei = tmp.file("Velomira.cfg");
        WriteFile(k.datendatei, kData);
        // The block's top-left corner at (10, 10); columns 30 wide, rows 25 high, list lines 15.
        k.position = 1;
        k.offsetx = k.offsety = 10;
        k.tagefarbe = Ref(kDays);
        k.trennlinienfarbe = Ref(kLines);
        k.terminefarbe = Ref(kTermine);
        k.ferienländer = "NW;BY";
        k.ferien = k.ferienlegende = k.müll = k.termine = 1;
        k.mondphasen = 0;
    }
    void TearDown() override { SetClock({}); }

    void today(QDate date) {
        SetClock([date] { return QDateTime(date, QTime(12, 0)); });
    }
    void render() {
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        RenderCalendar(k);
    }
    // The darkest pixel of an area: where anti-aliased text takes its colour whole.
    QColor darkest(QRect area) const {
        QColor found = Qt::white;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = canvas.at(x, y);
                if (c.red() + c.green() + c.blue() < found.red() + found.green() + found.blue()) found = c;
            }
        return found;
    }
};

bool Near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

} // namespace

TEST_F(CalendarPicture, DaysFrameBarsAndMarkers) {
    render();
    struct Pixel {
        const char* what;
        QPoint at;
        QColor colour;
        bool equal = true;
    };
    const Pixel pixels[] = {
        // Today: inner frame (105, 112)-(134, 133), outer lines one pixel out, corners open.
        {"today top", {120, 112}, kDays},
        {"today top outside", {120, 111}, kDays},
        {"today bottom", {120, 133}, kDays},
        {"today bottom outside", {120, 134}, kDays},
        {"today left", {105, 122}, kDays},
        {"today left outside", {104, 122}, kDays},
        {"today right", {134, 122}, kDays},
        {"today right outside", {135, 122}, kDays},
        {"today's outer corner open", {104, 111}, kDays, false},
        // 18 December in NW and BY holidays: two 2-pixel bars above y 159, the first listed lowest.
        {"first period lowest", {115, 158}, kNw},
        {"first period top", {115, 157}, kNw},
        {"second period", {115, 156}, kBy},
        {"second period top", {115, 155}, kBy},
        {"above the bars", {115, 154}, kBy, false},
        {"one period: a 4-pixel bar", {60, 155}, kNw},
        {"above the one bar", {60, 154}, kNw, false},
        // 10 December: two garbage markers right of its cell, 9 pixels each from y 132 up.
        {"first marker lowest", {102, 131}, kPaper},
        {"first marker top", {102, 123}, kPaper},
        {"second marker", {102, 122}, kYellow},
        {"second marker top", {102, 114}, kYellow},
        {"above the markers", {102, 113}, Qt::white},
        // Legend: BY before NW, as the states are ordered; boxes 5 pixels in from each line's edges.
        {"legend box BY", {20, 232}, kBy},
        {"legend box NW", {20, 247}, kNw},
        // Nothing due today: one line in the list colour above the first later appointment (y 330).
        {"today mark left", {10, 330}, kTermine},
        {"today mark right", {254, 330}, kTermine},
        {"today mark is no frame", {10, 338}, kTermine, false},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(canvas.at(p.at.x(), p.at.y()) == p.colour, p.equal)
            << p.what << " " << canvas.at(p.at.x(), p.at.y()).name().toStdString();

    // Day numbers of row 4 (y 135-160), above the bars.
    EXPECT_TRUE(Near(darkest({100, 136, 30, 18}), kStatutory)) << "a statutory holiday of NW";
    EXPECT_TRUE(Near(darkest({130, 136, 30, 18}), kDays)) << "a holiday that is not statutory";
    EXPECT_TRUE(Near(darkest({70, 136, 30, 18}), kDays)) << "a statutory holiday of another state";

    // Appointments at y 315 (5 Dec), 330 and 345 (both 20 Dec): the date heads the first line only.
    EXPECT_TRUE(Near(darkest({13, 317, 10, 11}), kTermine));
    EXPECT_TRUE(Near(darkest({13, 332, 10, 11}), kTermine));
    EXPECT_EQ(darkest({13, 347, 10, 11}), QColor(Qt::white));
    canvas.image().save(VELOMIRA_TEST_OUTPUT "/calendar-render-test.png");
}

TEST_F(CalendarPicture, LegendOnlyForTwoOrMoreStates) {
    k.ferienländer = "NW";
    render();
    const QRect legendBoxes(13, 230, 30, 20);
    for (int y = legendBoxes.top(); y <= legendBoxes.bottom(); ++y)
        for (int x = legendBoxes.left(); x <= legendBoxes.right(); ++x)
            ASSERT_NE(canvas.at(x, y), kNw) << x << "," << y;
}

TEST_F(CalendarPicture, SeparatorsOnTheDrawnRowsOnly) {
    struct Case {
        QDate today;
        int rows;
    };
    const Case cases[] = {{{2024, 12, 11}, 6}, {{2021, 1, 20}, 5}, {{2021, 2, 10}, 4}};
    k.ferien = k.termine = k.feiertagnamen = 0;
    for (const Case& c : cases) {
        today(c.today);
        canvas = Canvas(300, 400, Qt::white);
        render();
        const std::string month = c.today.toString("MM/yyyy").toStdString();
        // The title's line at y 35, one line atop each row from y 60, 25 apart, from x 9 to 255.
        for (int row = 0; row <= 6; ++row) {
            const int y = 35 + 25 * row;
            EXPECT_EQ(canvas.at(9, y) == kLines, row <= c.rows) << month << " row " << row;
            EXPECT_EQ(canvas.at(255, y) == kLines, row <= c.rows) << month << " row " << row;
        }
        const int end = 10 + 25 * (c.rows + 2);
        EXPECT_EQ(canvas.at(40, end), kLines) << month << ": the vertical line's end";
        EXPECT_NE(canvas.at(40, end + 1), kLines) << month;
    }
}

TEST_F(CalendarPicture, NothingWithoutAWorkingImage) {
    RenderCalendar(k);
    DrawSmoothText("Mo", {"Arial", 20}, 0, false, 100, kTextLeft, {0, 0, 60, 30});
    DrawMoonSymbol(kNewMoon, {0, 0, 30, 30}, 20, 400, 0);
    EXPECT_EQ(AnchorX(9, 0, 10), 0);
    EXPECT_EQ(AnchorY(9, 0, 10), 0);
    EXPECT_EQ(MeasureTextWidth("Mo ", {"Arial", 20}), 0);
    EXPECT_TRUE(canvas.changed(Qt::white).isEmpty());
}

TEST_F(CalendarPicture, BlockHeightIsWhatIsDrawn) {
    // Anchored at the bottom edge, the last appointment line ends on the image's last row.
    k.position = 7;
    k.offsety = 0;
    const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
    const CalendarLayout layout = LayOutCalendar(k, LoadCalendarData(2024, k), QDate(2024, 12, 11));
    // 8 rows of 25, then a 15-pixel gap before each list: 2 legend, 2 holiday, 3 appointment lines.
    EXPECT_EQ(layout.H, 200 + 15 + 30 + 15 + 30 + 15 + 45);
    EXPECT_EQ(layout.Y, 400 - layout.H);
    EXPECT_EQ(layout.appointmentsTop + 3 * layout.LH, canvas.height);
}

TEST_F(CalendarPicture, AnySettingsValueIsSafe) {
    // The settings file may hold any number; the calendar must neither overflow nor hang on it.
    const int32_t values[] = {INT32_MIN, -25, 0, 5000, INT32_MAX};
    for (const int32_t v : values) {
        Settings::Kalender hostile = k;
        hostile.spaltenbreite = hostile.zeilenhöhe = hostile.terminehoehe = v;
        hostile.offsetx = hostile.offsety = v;
        hostile.terminemonattagdiffvorher = hostile.terminemonattagdiffnachher = v;
        const WorkingImageScope scope(canvas.data(), canvas.width, canvas.height);
        RenderCalendar(hostile);
    }
}

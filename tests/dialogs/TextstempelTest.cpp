#include "shell/Textstempel.h"
#include "ShellSession.h"

namespace {

class TextstempelTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog = std::make_unique<Textstempel>();
        ShowActive(dialog.get());
    }
    Settings::Textstempel& stamp() { return Program().settings.textstempel; }
    QPixmap preview() const { return Child<QLabel>(dialog.get(), "TextBeispielImage")->pixmap(); }
    QLineEdit* field(const char* name) const { return Child<QLineEdit>(dialog.get(), name); }
    std::unique_ptr<Textstempel> dialog;
};

// The mean absolute difference of the colour channels of two images (255 when their sizes differ).
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGBX8888),
                 y = b.convertToFormat(QImage::Format_RGBX8888);
    if (x.size() != y.size() || x.isNull()) return 255;
    double sum = 0; // the fourth byte of each pixel is the same 255 in both
    for (qsizetype i = 0; i < x.sizeInBytes(); ++i)
        sum += std::abs(int(x.constBits()[i]) - int(y.constBits()[i]));
    return sum / (double(x.width()) * x.height() * 3);
}

} // namespace

// One after the other, as a user types them: a refusal brings back the value before it, not the default.
TEST_F(TextstempelTest, NumberFieldsKeepThePreviousValueOnBadInput) {
    EXPECT_EQ(TypeAndLeave(field("StempelTextHöhe"), "abc", field("StempelText")),
              "Texthöhe nicht zulässig.\nWerte zwischen 1 und 100 sind erlaubt.\n\n"
              "Es wird der vorherige Wert verwendet.");
    EXPECT_EQ(TypeAndLeave(field("StempelTextHöhe"), "100", field("StempelText")), "");
    EXPECT_NE(TypeAndLeave(field("StempelTextHöhe"), "101", field("StempelText")), "");
    EXPECT_EQ(std::pair(field("StempelTextHöhe")->text(), stamp().hoehe), std::pair(QString("100"), 100));
    EXPECT_EQ(TypeAndLeave(field("StempelTextOffsetX"), "-500", field("StempelText")), "");
    EXPECT_NE(TypeAndLeave(field("StempelTextOffsetY"), "501", field("StempelText")), "");
    EXPECT_EQ(std::pair(stamp().offsetx, stamp().offsety), std::pair(-500, 10));
}

// The cell chosen is the one marked (the first cell shows the plain look); a click on the marked cell
// clears the position.
TEST_F(TextstempelTest, PositionCellsMarkTheChoice) {
    QList<QPushButton*> cells = dialog->findChildren<QPushButton*>("StempelTextPosition");
    std::ranges::sort(cells, {}, [](QPushButton* c) { return c->property("index").toInt(); });
    for (const auto& [clicked, marks] : {std::pair{5, "....x...."}, {9, "........x"}, {9, "........."}}) {
        QTest::mouseClick(cells.at(clicked - 1), Qt::LeftButton);
        const QColor plain = cells.at(0)->palette().color(QPalette::Button);
        QString marked;
        for (QPushButton* c : cells)
            marked += c->palette().color(QPalette::Button) != plain ? 'x' : '.';
        EXPECT_EQ(marked, marks) << clicked;
        EXPECT_EQ(stamp().position, marked.indexOf('x') + 1);
    }
}

// The preview is drawn anew for each change of text, position, font, height and colour (stored as
// 0xBBGGRR). Without text it is the bare sample picture (compared with Qt's scaling of it: another
// filter, so only close).
TEST_F(TextstempelTest, PreviewFollowsEveryChange) {
    auto* fonts = Child<QComboBox>(dialog.get(), "StempelTextSchrift");
    const auto answer = OnNextDialog<QColorDialog>([&](QColorDialog* colours) {
        colours->setCurrentColor(Qt::red);
        colours->accept();
    });
    const std::function<void()> changes[] = {
        [&] { QTest::keyClicks(field("StempelText"), " Gipfel"); },
        [&] { dialog->findChildren<QPushButton*>("StempelTextPosition").at(8)->click(); },
        [&] {
            QTest::keyClick(fonts, fonts->currentIndex() + 1 < fonts->count() ? Qt::Key_Down : Qt::Key_Up);
        },
        [&] { TypeAndLeave(field("StempelTextHöhe"), "30", field("StempelText")); },
        [&] { Child<QPushButton>(dialog.get(), "StempelTextFarbeButton")->click(); }};
    for (const auto& change : changes) {
        const QImage before = preview().toImage();
        change();
        EXPECT_GT(MeanDifference(preview().toImage(), before), 0.01) << &change - changes;
    }
    EXPECT_EQ(stamp().schriftart, fonts->currentText());
    EXPECT_EQ(stamp().farbe, 0x0000ff);
    const QImage sample = QImage(VELOMIRA_SOURCE_DIR "/data/samples/Meer.jpg")
                              .scaled(preview().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(MeanDifference(preview().toImage(), sample), 3.0);
    QTest::keyClick(field("StempelText"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field("StempelText"), Qt::Key_Delete);
    EXPECT_LT(MeanDifference(preview().toImage(), sample), 3.0);
}

// A family drawn with a metric-compatible face (fonts-liberation's) is listed and chosen under its
// stored name, which choosing it again keeps; one that only the generic fallback stands in for is not.
TEST_F(TextstempelTest, FontListNamesMetricAliasesAsInstalled) {
    auto* fonts = Child<QComboBox>(dialog.get(), "StempelTextSchrift");
    for (const auto& [family, shown, tip] :
         {std::tuple<QString, QString, QString>{"Gibberish Sans", "Gibberish Sans (nicht installiert)", ""},
          {"arial", "Arial", "Dargestellt mit Liberation Sans"}}) {
        stamp().schriftart = family;
        dialog->InitDialog();
        EXPECT_EQ(fonts->currentIndex() < 0 ? fonts->placeholderText() : fonts->currentText(), shown);
        EXPECT_EQ(fonts->currentData(Qt::ToolTipRole).toString(), tip);
    }
    QTest::keyClick(fonts, Qt::Key_Down);
    QTest::keyClick(fonts, Qt::Key_Up);
    EXPECT_EQ(stamp().schriftart, "Arial");
}

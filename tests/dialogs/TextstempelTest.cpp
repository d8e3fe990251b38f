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
    if (a.size() != b.size() || a.isNull()) return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(x.constScanLine(row)[i]) - int(y.constScanLine(row)[i]));
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
    EXPECT_EQ(field("StempelTextHöhe")->text(), "100");
    EXPECT_EQ(stamp().hoehe, 100);
    EXPECT_EQ(TypeAndLeave(field("StempelTextOffsetX"), "-500", field("StempelText")), "");
    EXPECT_NE(TypeAndLeave(field("StempelTextOffsetY"), "501", field("StempelText")), "");
    EXPECT_EQ(stamp().offsetx, -500);
    EXPECT_EQ(stamp().offsety, 10);
}

// The cell chosen is the one marked; a click on the marked cell clears the position.
TEST_F(TextstempelTest, PositionCellsMarkTheChoice) {
    const QList<QPushButton*> cells = dialog->findChildren<QPushButton*>("StempelTextPosition");
    ASSERT_EQ(cells.size(), 9);
    const auto cell = [&](int index) {
        return *std::find_if(cells.begin(), cells.end(),
                             [&](QPushButton* c) { return c->property("index").toInt() == index; });
    };
    for (const auto& [clicked, position] : {std::pair{5, 5}, {9, 9}, {9, 0}, {1, 1}}) {
        SCOPED_TRACE(clicked);
        QTest::mouseClick(cell(clicked), Qt::LeftButton);
        EXPECT_EQ(stamp().position, position);
        const QColor plain = cell(position == 1 ? 2 : 1)->palette().color(QPalette::Button);
        for (int index = 1; index <= 9; ++index)
            EXPECT_EQ(cell(index)->palette().color(QPalette::Button) != plain, index == position) << index;
    }
}

TEST_F(TextstempelTest, SwitchesEnableWhatDependsOnThem) {
    ExpectFollows(dialog.get(), "StempelTextFarbeLesbar", "StempelTextFarbeButton", true);
    ExpectFollows(dialog.get(), "StempelTextRahmenErzeugen", "StempelTextRahmenFarbeButton");
    ExpectFollows(dialog.get(), "StempelTextHGFüllen", "TextStempelHGFarbeButton");
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

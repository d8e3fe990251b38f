#include "shell/Textstempel.h"
#include "DialogSupport.h"
#include "app/ProgramState.h"
#include "shell/CommonDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class TextstempelTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog = std::make_unique<Textstempel>();
        ShowActive(dialog.get());
    }
    void TearDown() override {
        dialog.reset();
        ProgramTest::TearDown();
    }
    Settings::Textstempel& stamp() { return Program().settings.textstempel; }
    QImage preview() const { return Child<QLabel>(dialog.get(), "TextBeispielImage")->pixmap().toImage(); }
    qint64 previewKey() const {
        return Child<QLabel>(dialog.get(), "TextBeispielImage")->pixmap().cacheKey();
    }
    QLineEdit* field(const char* name) const { return Child<QLineEdit>(dialog.get(), name); }

    std::unique_ptr<Textstempel> dialog;
};

QString rangeMessage(const char* subject, int minimum, int maximum) {
    return QString(subject) + "\nWerte zwischen " + QString::number(minimum) + " und " +
           QString::number(maximum) + " sind erlaubt.\n\nEs wird der vorherige Wert verwendet.";
}

} // namespace

// One after the other, as a user would type them: each rejection restores the value before it.
TEST_F(TextstempelTest, NumberFieldsKeepThePreviousValueOnBadInput) {
    const QString A = rangeMessage("Texthöhe nicht zulässig.", 1, 100);
    const QString B = rangeMessage("X-Offset der Textposition nicht zulässig.", -500, 500);
    const QString C = rangeMessage("Y-Offset der Textposition nicht zulässig.", -500, 500);
    const struct {
        const char* field;
        const char* typed;
        QString message;
        const char* shown;
        int Settings::Textstempel::*setting;
        int value;
    } cases[] = {
        {"StempelTextHöhe", "abc", A, "15", &Settings::Textstempel::hoehe, 15},
        {"StempelTextHöhe", "", A, "15", &Settings::Textstempel::hoehe, 15},
        {"StempelTextHöhe", "100", "", "100", &Settings::Textstempel::hoehe, 100},
        {"StempelTextHöhe", "101", A, "100", &Settings::Textstempel::hoehe, 100},
        {"StempelTextOffsetX", "-500", "", "-500", &Settings::Textstempel::offsetx, -500},
        {"StempelTextOffsetX", "-501", B, "-500", &Settings::Textstempel::offsetx, -500},
        {"StempelTextOffsetX", "7.5", B, "-500", &Settings::Textstempel::offsetx, -500},
        {"StempelTextOffsetY", "501", C, "10", &Settings::Textstempel::offsety, 10},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.field) + " <- " + t.typed);
        const Message said = TypeAndLeave(field(t.field), t.typed, field("StempelText"));
        EXPECT_EQ(said.text, t.message);
        if (!t.message.isEmpty()) {
            EXPECT_EQ(said.title, "Velomira");
            EXPECT_TRUE(said.warning);
        }
        EXPECT_EQ(field(t.field)->text(), t.shown);
        EXPECT_EQ(stamp().*t.setting, t.value);
    }
}

TEST_F(TextstempelTest, PositionCellsMarkTheChoiceAndAClickOnItClearsIt) {
    QList<QPushButton*> cells = dialog->findChildren<QPushButton*>("StempelTextPosition");
    ASSERT_EQ(cells.size(), 9);
    const auto cell = [&](int index) {
        for (QPushButton* c : cells)
            if (c->property("index").toInt() == index) return c;
        return static_cast<QPushButton*>(nullptr);
    };
    const struct {
        int clicked;
        int position;
    } clicks[] = {{5, 5}, {9, 9}, {9, 0}, {1, 1}, {1, 0}};
    for (const auto& t : clicks) {
        SCOPED_TRACE(t.clicked);
        QTest::mouseClick(cell(t.clicked), Qt::LeftButton);
        EXPECT_EQ(stamp().position, t.position);
        for (int index = 1; index <= 9; ++index)
            EXPECT_EQ(cell(index)->palette().color(QPalette::Button),
                      index == t.position ? QColor(0, 255, 0) : QColor(255, 255, 255))
                << index;
    }
}

TEST_F(TextstempelTest, ReadableColourDisablesTheColourButton) {
    auto* readable = Child<QCheckBox>(dialog.get(), "StempelTextFarbeLesbar");
    auto* button = Child<QPushButton>(dialog.get(), "StempelTextFarbeButton");
    for (const int on : {1, 0}) {
        readable->click();
        EXPECT_EQ(stamp().farbelesbar, on);
        EXPECT_EQ(button->isEnabled(), on == 0);
    }
}

TEST_F(TextstempelTest, FrameAndBackgroundControlsFollowTheirBoxes) {
    stamp().rahmen = 1;
    stamp().hintergrund = 1;
    dialog->InitDialog();
    ExpectFrameFollowsItsBox(Child<QWidget>(dialog.get(), "FrameTextRahmen"),
                             Child<QCheckBox>(dialog.get(), "StempelTextRahmenErzeugen"), stamp().rahmen);
    ExpectFrameFollowsItsBox(Child<QWidget>(dialog.get(), "FrameTexthintergrund"),
                             Child<QCheckBox>(dialog.get(), "StempelTextHGFüllen"), stamp().hintergrund);
}

// The bare sample is compared with the shipped picture scaled by Qt: another filter, so only close.
TEST_F(TextstempelTest, EmptyTextShowsTheBareSample) {
    const QImage sample = QImage(VELOMIRA_SOURCE_DIR "/data/samples/Meer.jpg")
                              .scaled(preview().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(MeanDifference(preview(), sample), 3.0) << "the stamp and calendar should show";
    QTest::keyClick(field("StempelText"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field("StempelText"), Qt::Key_Delete);
    EXPECT_EQ(stamp().text, "");
    EXPECT_LT(MeanDifference(preview(), sample), 3.0);
}

TEST_F(TextstempelTest, OnlyANewColourRedrawsThePreview) {
    stamp().rahmen = 1;
    dialog->InitDialog();
    const struct {
        const char* button;
        int Settings::Textstempel::*setting;
        QColor chosen; // invalid: cancelled
        bool redrawn;
    } cases[] = {
        {"StempelTextFarbeButton", &Settings::Textstempel::farbe, QColor(255, 255, 255), false},
        {"StempelTextFarbeButton", &Settings::Textstempel::farbe, QColor(255, 0, 0), true},
        {"StempelTextFarbeButton", &Settings::Textstempel::farbe, QColor(), false},
        {"StempelTextRahmenFarbeButton", &Settings::Textstempel::rahmenfarbe, QColor(0, 255, 0), false},
        {"StempelTextRahmenFarbeButton", &Settings::Textstempel::rahmenfarbe, QColor(0, 0, 255), true},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.button) + " " + t.chosen.name().toStdString());
        const int before = stamp().*t.setting;
        const qint64 drawn = previewKey();
        const OnNextDialog<QColorDialog> answer([&](QColorDialog* colours) {
            if (!t.chosen.isValid()) return colours->reject();
            colours->setCurrentColor(t.chosen);
            colours->accept();
        });
        Child<QPushButton>(dialog.get(), t.button)->click();
        EXPECT_EQ(previewKey() != drawn, t.redrawn);
        EXPECT_EQ(stamp().*t.setting, t.redrawn ? ColorrefFromColor(t.chosen) : before);
    }
}

TEST_F(TextstempelTest, PreviewFollowsTextPositionAndFont) {
    auto* fonts = Child<QComboBox>(dialog.get(), "StempelTextSchrift");
    ASSERT_GT(fonts->count(), 1);
    const struct {
        const char* change;
        std::function<void()> act;
    } changes[] = {
        {"text", [&] { QTest::keyClicks(field("StempelText"), " Gipfel"); }},
        {"position", [&] { dialog->findChildren<QPushButton*>("StempelTextPosition").at(8)->click(); }},
        {"font",
         [&] {
             QTest::keyClick(fonts, fonts->currentIndex() + 1 < fonts->count() ? Qt::Key_Down : Qt::Key_Up);
         }},
        {"height", [&] { TypeAndLeave(field("StempelTextHöhe"), "30", field("StempelText")); }},
    };
    for (const auto& t : changes) {
        SCOPED_TRACE(t.change);
        const QImage before = preview();
        const Settings::Textstempel was = stamp();
        t.act();
        EXPECT_GT(MeanDifference(preview(), before), 0.01);
        EXPECT_TRUE(stamp().text != was.text || stamp().position != was.position ||
                    stamp().schriftart != was.schriftart || stamp().hoehe != was.hoehe);
    }
    EXPECT_EQ(stamp().schriftart, fonts->currentText());
}

namespace {

// The part of a picture that is ink (darker than mid-grey), as a grey picture.
QImage ink(const QImage& picture) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QRect box;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            if (grey.pixelColor(x, y).value() < 128) box |= QRect(x, y, 1, 1);
    return grey.copy(box);
}

} // namespace

// Each direction button shows the upright picture turned as its tool tip says: counter-clockwise
// for text that reads upwards, clockwise for text that reads downwards.
TEST_F(TextstempelTest, DirectionPicturesShowTheTurn) {
    auto* directions = Child<QButtonGroup>(dialog.get(), "StempelTextDirection");
    const auto picture = [&](int richtung) {
        return ink(directions->button(richtung)->icon().pixmap(32, 32).toImage());
    };
    const QImage upright = picture(0);
    ASSERT_GT(upright.width(), upright.height());
    const struct {
        int richtung;
        const char* tip;
        qreal clockwise; // degrees
    } turns[] = {{1, "nach oben lesend", -90}, {2, "auf dem Kopf", 180}, {3, "nach unten lesend", 90}};
    for (const auto& t : turns) {
        SCOPED_TRACE(t.richtung);
        EXPECT_EQ(directions->button(t.richtung)->toolTip(), t.tip);
        const QImage turned = upright.transformed(QTransform().rotate(t.clockwise));
        const QImage opposite = upright.transformed(QTransform().rotate(t.clockwise + 180));
        EXPECT_LT(MeanDifference(picture(t.richtung), turned), 8.0);
        EXPECT_GT(MeanDifference(picture(t.richtung), opposite), 20.0);
    }
}

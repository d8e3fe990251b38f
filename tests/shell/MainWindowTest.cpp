#include "shell/MainWindow.h"
#include "DesktopSupport.h"
#include "ShellSession.h"
#include "app/IniDocument.h"
#include "app/ProgramState.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class MainWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* name : {"Meer", "Abend", "Berg"})
            WritePicture(pictures, name, Qt::blue);
        window = std::make_unique<MainWindow>();
        window->fillFromSettings();
        window->starten_und_konfig();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        c().NeuEinlesen->click();
    }
    void TearDown() override {
        window.reset();
        ProgramTest::TearDown();
    }
    const MainWindowControls& c() const { return window->controls(); }
    QStringList listed() const {
        QStringList folders;
        for (int row = 0; row < c().Bildpfadliste->count(); ++row)
            folders << c().Bildpfadliste->item(row)->text();
        return folders;
    }
    // Types `minutes` into the delay field as a user does.
    void typeDelay(const char* minutes) {
        c().delay->setFocus();
        c().delay->selectAll();
        QTest::keyClicks(c().delay, minutes);
    }
    std::unique_ptr<MainWindow> window;
};

// Answers the folder dialog with `folder` (empty: cancels it) and tells where it opened.
struct ChooseFolder : OnNextDialog<QFileDialog> {
    QString opened;
    explicit ChooseFolder(const QString& folder)
        : OnNextDialog([this, folder](QFileDialog* dialog) {
              opened = dialog->directory().absolutePath();
              if (folder.isEmpty()) return dialog->reject();
              dialog->setDirectory(folder);
              static_cast<QDialog*>(dialog)->accept();
          }) {}
};

} // namespace

// The delay is checked when the field loses the focus; a bad one is replaced by 10 minutes.
TEST_F(MainWindowTest, DelayIsCheckedWhenTheFieldLosesTheFocus) {
    const struct {
        const char* typed;
        bool refused;
        int delay;
    } cases[] = {
        {"abc", true, 10}, {"1441", true, 10}, {"0", true, 10}, {"1440", false, 1440}, {"1", false, 1}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.typed);
        // Without a window manager nobody gives the activation back after a message box.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QString message;
        const OnNextDialog<QMessageBox> answer([&](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        typeDelay(t.typed);
        c().NeuEinlesen->setFocus(); // the check runs, and its message box is answered, in here
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(message, t.refused ? "Die Zeit muss im Bereich von 1 bis 1440 Minuten liegen" : "");
        EXPECT_EQ(c().delay->text(), QString::number(t.delay));
        EXPECT_EQ(Program().settings.misc.delay, t.delay);
    }
}

// The folder dialog opens on the first listed folder; a folder added is read at once and the next
// change starts from the first picture; a cancel changes nothing.
TEST_F(MainWindowTest, AddingAndRemovingFolders) {
    QDir().mkpath(home.file("Urlaub"));
    WritePicture(home.file("Urlaub"), "Strand", Qt::yellow);
    for (const QString& chosen : {QString(), home.file("Urlaub")}) {
        Program().CurrentIndex = 2;
        const ChooseFolder answer(chosen);
        c().Hinzufügen->click();
        EXPECT_EQ(answer.opened, pictures);
        EXPECT_EQ(Program().CurrentIndex, chosen.isEmpty() ? 2 : 0);
    }
    const QStringList both = {pictures + "/", home.file("Urlaub") + "/"};
    EXPECT_EQ(listed(), both);
    EXPECT_EQ(Program().settings.PictureFolders, both);
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 4");

    // Delete removes the selected line, and reads the folders again.
    WritePicture(pictures, "Wald", Qt::darkGreen);
    c().Bildpfadliste->setFocus();
    c().Bildpfadliste->item(1)->setSelected(true);
    QTest::keyClick(c().Bildpfadliste, Qt::Key_Delete);
    EXPECT_EQ(listed(), QStringList{pictures + "/"});
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 4");

    // Without folders the wallpaper is the background colour alone, and no folder is saved.
    c().Bildpfadliste->selectAll();
    c().Entfernen->click();
    EXPECT_TRUE(Program().settings.PictureFolders.isEmpty());
    Program().settings.misc.hgfarbe = 0x0000ff; // red
    c().übernehmen->click();
    const QImage canvas(wallpaper);
    ASSERT_EQ(canvas.size(), QSize(320, 240));
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixelColor(319, 239), QColor(255, 0, 0));
    Program().save();
    EXPECT_FALSE(IniDocument::parse(ReadFile(Program().store.path())).value("path", "1"));
}

// What is looked for changes only with "neu einlesen"; the storage folder is chosen in a dialog.
TEST_F(MainWindowTest, SearchFlagsWaitForNeuEinlesen) {
    QDir().mkpath(pictures + "/unten");
    WritePicture(pictures + "/unten", "Tief", Qt::gray);
    QImage(8, 8, QImage::Format_RGB32).save(pictures + "/Karte.png");
    c().JPG->click();
    c().PNG->click();
    c().UnterverzeichnisseEinbeziehen->click();
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 3");
    EXPECT_FALSE(QFile::exists(wallpaper));
    c().NeuEinlesen->click();
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 1");

    QDir().mkpath(home.file("Ablage"));
    const ChooseFolder answer(home.file("Ablage"));
    c().HGBVerzeichnisButton->click();
    EXPECT_EQ(Program().settings.misc.bmpverzeichnis, home.file("Ablage"));
    EXPECT_EQ(c().HGBVerzeichnis->text(), home.file("Ablage"));
}

// Changes of how the picture is drawn compose the picture shown once more; changes of what is
// looked for, and the switches of the dialogs, compose nothing.
TEST_F(MainWindowTest, WhichControlsComposeTheCurrentPictureAgain) {
    const auto option = [](QButtonGroup* group, int id) { return group->button(id); };
    const struct {
        QAbstractButton* control;
        bool composes;
    } cases[] = {{option(c().Anpassung, 2), true},
                 {c().aufBildbreite, true},
                 {c().passendeFarbe, true},
                 {c().übernehmen, true},
                 {c().GIF, false},
                 {c().mitKalender, false},
                 {option(c().SortierungArt, 2), false}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.control->text().toStdString());
        QFile::remove(wallpaper);
        Program().CurrentIndex = 2;
        t.control->click();
        EXPECT_EQ(QFile::exists(wallpaper), t.composes);
        EXPECT_EQ(Program().CurrentIndex, 2) << "the same picture";
        if (t.composes) {
            EXPECT_EQ(Program().settings.misc.bildname, "Berg");
        }
    }
}

// The colour dialog opens on the background colour; a choice becomes the background, a cancel keeps
// it, and both compose again.
TEST_F(MainWindowTest, ColourButton) {
    for (const QColor chosen : {QColor(0, 0, 255), QColor()}) {
        QColor opened;
        const OnNextDialog<QColorDialog> answer([&](QColorDialog* dialog) {
            opened = dialog->currentColor();
            if (!chosen.isValid()) return dialog->reject();
            dialog->setCurrentColor(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        QFile::remove(wallpaper);
        c().FarbwahlButton->click();
        EXPECT_EQ(opened, chosen.isValid() ? QColor(0, 0, 0) : QColor(0, 0, 255));
        EXPECT_EQ(Program().settings.misc.hgfarbe, 0xff0000);
        EXPECT_EQ(c().Farbwahl->palette().color(QPalette::Window), QColor(0, 0, 255));
        EXPECT_TRUE(QFile::exists(wallpaper));
    }
}

// The close box saves, restarts the change timer with the delay typed and hides the window; twice
// in a row leaves the timer running once, with the last delay.
TEST_F(MainWindowTest, CloseBoxSavesAndRestartsTheTimer) {
    const Trayer trayer(SessionDisplay());
    ASSERT_TRUE(trayer.ready());
    ASSERT_TRUE(WaitUntil([&] { return window->tray().inTray(); }));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* minutes : {"7", "9"}) {
        window->show();
        typeDelay(minutes);
        window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(IniDocument::parse(ReadFile(Program().store.path())).value("misc", "delay"), minutes);
        EXPECT_EQ(window->tray().changeTimer().interval(), QString(minutes).toInt() * 60000);
        EXPECT_TRUE(window->tray().changeTimer().isActive());
    }
}

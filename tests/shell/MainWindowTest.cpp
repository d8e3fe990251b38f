#include "shell/MainWindow.h"
#include "DesktopSupport.h"
#include "ShellSession.h"
#include "app/IniDocument.h"
#include "app/ProgramState.h"
#include "pictures/PictureList.h"

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
        WritePicture(pictures, "Meer", QColor(20, 60, 200));
        WritePicture(pictures, "Abend", QColor(230, 120, 30));
        WritePicture(pictures, "Berg", QColor(90, 160, 70));
        window = std::make_unique<MainWindow>();
        window->fillFromSettings();
        window->starten_und_konfig();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
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
    QRadioButton* option(QButtonGroup* group, int id) {
        return static_cast<QRadioButton*>(group->button(id));
    }
    std::optional<QString> saved(const char* section, const char* name) const {
        return IniDocument::parse(ReadFile(Program().store.path())).value(section, name);
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(MainWindowTest, DelayIsCheckedWhenTheFieldLosesTheFocus) {
    const struct {
        const char* typed;
        bool message;
        const char* field;
        int delay;
    } cases[] = {{"abc", true, "10", 10},
                 {"1440", false, "1440", 1440},
                 {"1441", true, "10", 10},
                 {"0", true, "10", 10},
                 {"1", false, "1", 1}};
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
        c().delay->setFocus();
        c().delay->selectAll();
        QTest::keyClicks(c().delay, t.typed);
        c().NeuEinlesen->setFocus();
        QTest::qWait(50);
        EXPECT_EQ(message, t.message ? "Die Zeit muss im Bereich von 1 bis 1440 Minuten liegen" : "");
        EXPECT_EQ(c().delay->text(), t.field);
        EXPECT_EQ(Program().settings.misc.delay, t.delay);
    }
}

// Adding a folder asks for it in the folder dialog; one already listed in another letter case is
// not added, but the next change starts from the first picture all the same.
TEST_F(MainWindowTest, AddingFolders) {
    QDir().mkpath(home.file("bilder"));
    QDir().mkpath(home.file("Urlaub"));
    WritePicture(home.file("Urlaub"), "Strand", Qt::yellow);
    Program().settings.PictureFolders = {home.file("bilder") + "/"};
    window->fillFromSettings();
    c().NeuEinlesen->click();
    const struct {
        QString chosen; // empty: cancelled
        QStringList folders;
        QString count;
        int index;
    } cases[] = {
        {"", {home.file("bilder") + "/"}, "Anzahl Bilder: 0", 4},
        {home.file("Bilder"), {home.file("bilder") + "/"}, "Anzahl Bilder: 0", 0},
        {home.file("Urlaub"), {home.file("Urlaub") + "/", home.file("bilder") + "/"}, "Anzahl Bilder: 1", 0},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.chosen.toStdString());
        Program().CurrentIndex = 4;
        QString title, start;
        QPoint offCentre;
        const OnNextDialog<QFileDialog> answer([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            offCentre = dialog->frameGeometry().center() - window->frameGeometry().center();
            start = dialog->directory().absolutePath();
            if (t.chosen.isEmpty()) return dialog->reject();
            dialog->setDirectory(t.chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        c().Hinzufügen->click();
        EXPECT_EQ(title, "Velomira - Bilderverzeichnis");
        EXPECT_EQ(start, home.file("bilder")) << "the first listed folder";
        EXPECT_LE(offCentre.manhattanLength(), 4);
        EXPECT_EQ(listed(), t.folders);
        EXPECT_EQ(Program().settings.PictureFolders, t.folders);
        EXPECT_EQ(c().Bilderanzahl->text(), t.count);
        EXPECT_EQ(Program().CurrentIndex, t.index);
    }
}

TEST_F(MainWindowTest, RemovingFolders) {
    QDir().mkpath(home.file("leer"));
    Program().settings.PictureFolders << home.file("leer") + "/";
    window->fillFromSettings();
    c().NeuEinlesen->click();
    ASSERT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 3");

    // Delete without a selection removes nothing but reads the folders again.
    WritePicture(pictures, "Wald", Qt::darkGreen);
    c().Bildpfadliste->setFocus();
    c().Bildpfadliste->clearSelection();
    QTest::keyClick(c().Bildpfadliste, Qt::Key_Delete);
    EXPECT_EQ(listed().size(), 2);
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 4");

    // Delete removes the selected line; the button removes all selected.
    c().Bildpfadliste->item(1)->setSelected(true);
    QTest::keyClick(c().Bildpfadliste, Qt::Key_Delete);
    EXPECT_EQ(listed(), QStringList{pictures + "/"});
    c().Bildpfadliste->selectAll();
    Program().CurrentIndex = 2;
    c().Entfernen->click();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(Program().settings.PictureFolders.isEmpty());
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 0");
    EXPECT_EQ(Program().CurrentIndex, 2);

    // Without pictures the wallpaper is the background colour alone, and no folder is saved.
    Program().settings.misc.hgfarbe = 0x0000ff; // red
    c().übernehmen->click();
    const QImage canvas(wallpaper);
    ASSERT_EQ(canvas.size(), QSize(320, 240));
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixelColor(319, 239), QColor(255, 0, 0));
    Program().save();
    EXPECT_FALSE(saved("path", "1"));
}

TEST_F(MainWindowTest, FormatAndRecursionFlagsWaitForNeuEinlesen) {
    QDir().mkpath(pictures + "/unten");
    WritePicture(pictures + "/unten", "Tief", Qt::gray);
    QImage(8, 8, QImage::Format_RGB32).save(pictures + "/Karte.png");
    c().NeuEinlesen->click();
    ASSERT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 3");

    c().JPG->click();
    c().PNG->click();
    c().UnterverzeichnisseEinbeziehen->click();
    EXPECT_EQ(Program().settings.misc.jpg, 0);
    EXPECT_EQ(Program().settings.misc.png, 1);
    EXPECT_EQ(Program().settings.misc.recursive, 1);
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 3");
    EXPECT_FALSE(QFile::exists(wallpaper));
    c().NeuEinlesen->click();
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 1");
}

TEST_F(MainWindowTest, StorageFolderFieldIsColouredByItsState) {
    const QColor plain = QApplication::palette(c().HGBVerzeichnis).color(QPalette::Base);
    const struct {
        QString folder;
        QColor colour;
    } cases[] = {
        {home.path(), QColor(192, 255, 192)}, {home.file("fehlt"), QColor(255, 128, 128)}, {"", plain}};
    for (const auto& t : cases) {
        Program().settings.misc.bmpverzeichnis = t.folder;
        c().NeuEinlesen->click();
        EXPECT_EQ(c().HGBVerzeichnis->text(), t.folder);
        EXPECT_EQ(c().HGBVerzeichnis->palette().color(QPalette::Base), t.colour) << t.folder.toStdString();
    }

    // Choosing a folder takes it as the storage folder.
    QDir().mkpath(home.file("Ablage"));
    const OnNextDialog<QFileDialog> answer([&](QFileDialog* dialog) {
        dialog->setDirectory(home.file("Ablage"));
        static_cast<QDialog*>(dialog)->accept();
    });
    c().HGBVerzeichnisButton->click();
    EXPECT_EQ(Program().settings.misc.bmpverzeichnis, home.file("Ablage"));
    EXPECT_EQ(c().HGBVerzeichnis->palette().color(QPalette::Base), QColor(192, 255, 192));
}

// Changes of how the picture is drawn compose the picture shown once more; changes of what is
// looked for, and of the two switches of the dialogs, compose nothing.
TEST_F(MainWindowTest, WhichControlsComposeTheCurrentPictureAgain) {
    c().NeuEinlesen->click();
    const struct {
        const char* control;
        std::function<void()> click;
        bool composes;
    } cases[] = {
        {"Anpassung", [&] { option(c().Anpassung, 2)->click(); }, true},
        {"aufBildbreite", [&] { c().aufBildbreite->click(); }, true},
        {"passendeFarbe", [&] { c().passendeFarbe->click(); }, true},
        {"übernehmen", [&] { c().übernehmen->click(); }, true},
        {"GIF", [&] { c().GIF->click(); }, false},
        {"mitKalender", [&] { c().mitKalender->click(); }, false},
        {"SortierungArt", [&] { option(c().SortierungArt, 2)->click(); }, false},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.control);
        QFile::remove(wallpaper);
        Program().CurrentIndex = 2;
        t.click();
        EXPECT_EQ(QFile::exists(wallpaper), t.composes);
        EXPECT_EQ(Program().CurrentIndex, 2) << "the same picture";
        if (t.composes) {
            EXPECT_EQ(Program().settings.misc.bildname, "Berg");
        }
    }
    EXPECT_EQ(Program().settings.misc.magnify, 2);
    EXPECT_EQ(Program().settings.misc.reihenfolge, 2);
    EXPECT_EQ(Program().settings.misc.width, 0);
    EXPECT_EQ(Program().settings.misc.passende_farbe, 0);
    EXPECT_EQ(Program().settings.kalender.ausgeben, 1);
    EXPECT_TRUE(c().KalenderButton->isEnabled());
    EXPECT_FALSE(c().TextstempelButton->isEnabled());
}

// The colour dialog opens on the background colour, centred on the window, with 16 black custom
// colours each time; a choice becomes the background, a cancel keeps it, and both compose again.
TEST_F(MainWindowTest, ColourButton) {
    Program().settings.misc.hgfarbe = 0x00ff00;
    window->fillFromSettings();
    c().NeuEinlesen->click();
    const struct {
        QColor opened;
        QColor chosen; // invalid: cancelled
    } cases[] = {{QColor(0, 255, 0), QColor(0, 0, 255)}, {QColor(0, 0, 255), QColor()}};
    for (const auto& t : cases) {
        QColor opened;
        QString title;
        int blackCustom = 0;
        QPoint offCentre;
        const OnNextDialog<QColorDialog> answer([&](QColorDialog* dialog) {
            opened = dialog->currentColor();
            title = dialog->windowTitle();
            offCentre = dialog->frameGeometry().center() - window->frameGeometry().center();
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                blackCustom += QColorDialog::customColor(i) == QColor(Qt::black);
            QColorDialog::setCustomColor(3, Qt::white); // left behind for the next call
            if (!t.chosen.isValid()) return dialog->reject();
            dialog->setCurrentColor(t.chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        QFile::remove(wallpaper);
        c().FarbwahlButton->click();
        EXPECT_EQ(opened, t.opened);
        EXPECT_EQ(title, "Velomira - Farbwahl");
        EXPECT_EQ(blackCustom, 16);
        EXPECT_LE(offCentre.manhattanLength(), 4);
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
        c().delay->setFocus();
        c().delay->selectAll();
        QTest::keyClicks(c().delay, minutes);
        window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(saved("misc", "delay"), minutes);
        EXPECT_TRUE(window->tray().changeTimer().isActive());
        EXPECT_EQ(window->tray().changeTimer().interval(), QString(minutes).toInt() * 60000);
    }
}

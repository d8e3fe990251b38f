#include "shell/MainWindow.h"
#include "ShellSession.h"
#include "app/IniDocument.h"

namespace {

class MainWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* name : {"Meer", "Abend", "Berg"})
            WritePicture(pictures, name, Qt::blue);
        window.fillFromSettings();
        window.starten_und_konfig();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        c().NeuEinlesen->click();
    }
    const MainWindowControls& c() const { return window.controls(); }
    MainWindow window;
};

} // namespace

// The delay is checked when the field loses the focus; a bad one is replaced by 10 minutes.
TEST_F(MainWindowTest, DelayIsCheckedWhenTheFieldLosesTheFocus) {
    for (const auto& [typed, delay] :
         {std::pair{"abc", 10}, {"1441", 10}, {"0", 10}, {"1440", 1440}, {"1", 1}}) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(TypeAndLeave(c().delay, typed, c().NeuEinlesen),
                  QString(typed) == QString::number(delay)
                      ? ""
                      : "Die Zeit muss im Bereich von 1 bis 1440 Minuten liegen");
        EXPECT_EQ(c().delay->text(), QString::number(delay));
        EXPECT_EQ(Program().settings.misc.delay, delay);
    }
}

// The folder dialog opens on the first listed folder; a folder added is read at once and the next
// change starts from the first picture; a cancel changes nothing. Without folders a wallpaper (the
// background colour alone) is still composed, and no folder is saved.
TEST_F(MainWindowTest, AddingAndRemovingFolders) {
    QDir().mkpath(home.file("Urlaub"));
    WritePicture(home.file("Urlaub"), "Strand", Qt::yellow);
    for (const QString& chosen : {QString(), home.file("Urlaub")}) {
        Program().CurrentIndex = 2;
        QString opened;
        const auto answer = OnNextDialog<QFileDialog>([&](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            if (chosen.isEmpty()) return dialog->reject();
            dialog->setDirectory(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        c().Hinzufügen->click();
        EXPECT_EQ(opened, pictures);
        EXPECT_EQ(Program().CurrentIndex, chosen.isEmpty() ? 2 : 0);
    }
    EXPECT_EQ(Program().settings.PictureFolders, QStringList({pictures + "/", home.file("Urlaub") + "/"}));
    EXPECT_EQ(c().Bilderanzahl->text(), "Anzahl Bilder: 4");

    c().Bildpfadliste->selectAll();
    c().Entfernen->click();
    c().übernehmen->click();
    EXPECT_EQ(QImage(wallpaper).size(), QSize(320, 240));
    Program().save();
    EXPECT_FALSE(IniDocument::parse(ReadFile(Program().store.path())).value("path", "1"));
}

// Changes of how the picture is drawn compose the picture shown once more; changes of what is
// looked for, and the switches of the dialogs, compose nothing.
TEST_F(MainWindowTest, WhichControlsComposeTheCurrentPictureAgain) {
    const QList<QAbstractButton*> composing = {c().Anpassung->button(2), c().aufBildbreite, c().passendeFarbe,
                                               c().übernehmen};
    for (QAbstractButton* control :
         composing + QList<QAbstractButton*>{c().GIF, c().mitKalender, c().SortierungArt->button(2)}) {
        SCOPED_TRACE(control->text().toStdString());
        QFile::remove(wallpaper);
        Program().CurrentIndex = 2;
        control->click();
        EXPECT_EQ(QFile::exists(wallpaper), composing.contains(control));
        EXPECT_EQ(Program().CurrentIndex, 2) << "the same picture";
    }
    // A dialog button (enabled by the switch clicked above) opens its dialog modally: while it is open
    // nothing is composed and the timer holds; afterwards the picture is composed and the timer starts over.
    QFile::remove(wallpaper);
    window.tray().StartChangeTimer(5);
    bool held = false;
    const auto close = OnNextDialog<QDialog>([&](QDialog* dialog) {
        held = dialog->isModal() && !window.tray().changeTimer().isActive() && !QFile::exists(wallpaper);
        dialog->close();
    });
    c().KalenderButton->click();
    EXPECT_TRUE(held && QFile::exists(wallpaper) && window.tray().changeTimer().isActive());
    EXPECT_EQ(std::pair(Program().CurrentIndex, window.tray().changeTimer().interval()),
              std::pair(2, 300000));
}

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
    // Another window taking the activation is no leaving; the close box then checks once.
    QWidget other;
    int boxes = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) ++boxes, box->accept();
    });
    answer.start(10);
    c().delay->setFocus();
    c().delay->selectAll();
    QTest::keyClicks(c().delay, "abc");
    ShowActive(&other);
    EXPECT_EQ(boxes, 0);
    ShowActive(&window);
    window.close();
    EXPECT_EQ(boxes, 1);
}

// The folder dialog opens on the first listed folder, in German; a folder added is read at once and
// the next change starts from the first picture; a cancel changes nothing; a name that differs in case
// is another folder. Without folders a wallpaper (the background colour alone) is still composed, and
// no folder is saved.
TEST_F(MainWindowTest, AddingAndRemovingFolders) {
    QDir().mkpath(home.file("Urlaub"));
    QDir().mkpath(home.file("bilder"));
    WritePicture(home.file("Urlaub"), "Strand", Qt::yellow);
    for (const QString& chosen : {QString(), home.file("bilder"), home.file("Urlaub")}) {
        Program().CurrentIndex = 2;
        QString opened, texts;
        const auto answer = OnNextDialog<QFileDialog>([&](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            for (const QWidget* control : dialog->findChildren<QWidget*>()) // labels and buttons
                texts += control->property("text").toString() + "|";
            if (chosen.isEmpty()) return dialog->reject();
            dialog->setDirectory(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        c().Hinzufügen->click();
        EXPECT_EQ(opened, pictures);
        EXPECT_EQ(Program().CurrentIndex, chosen.isEmpty() ? 2 : 0);
        EXPECT_TRUE(texts.contains("Abbrechen")) << texts.toStdString();
        for (const char* english : {"Cancel", "Choose", "Directory", "Look in", "Files of type"})
            EXPECT_FALSE(texts.contains(english)) << texts.toStdString();
    }
    EXPECT_EQ(Program().settings.PictureFolders,
              QStringList({pictures + "/", home.file("Urlaub") + "/", home.file("bilder") + "/"}));
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

// However the program ends while a dialog is open ("Beenden" from the tray or a termination signal,
// the end of the session, which sends the application a Quit event), it saves and composes no more;
// "Beenden" from the window's own menu ends it too.
TEST_F(MainWindowTest, EndingSavesAndComposesNothingMore) {
    Program().settings.textstempel.ausgeben = Program().settings.kalender.ausgeben = 1;
    for (const char* way : {"MBeenden", "TextstempelButton", "KalenderButton"}) {
        SCOPED_TRACE(way);
        MainWindow ending;
        ending.fillFromSettings();
        ending.starten_und_konfig();
        const auto inDialog = OnNextDialog<QDialog>([&](QDialog* dialog) {
            if (dialog->objectName() == "Textstempel") return ending.Beenden();
            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
        });
        QFile::remove(Program().store.path());
        QTimer::singleShot(0, [&] {
            if (auto* item = ending.findChild<QAction*>(way)) return item->trigger();
            Child<QPushButton>(&ending, way)->click();
        });
        QTimer::singleShot(10000, &ending, [] { QCoreApplication::exit(1); }); // it did not end
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(QFile::exists(Program().store.path())) << "saved";
        EXPECT_FALSE(QFile::exists(wallpaper)) << "composed on the way out";
    }
}

#include "shell/CommonDialogs.h"
#include "ShellSession.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QTest>

namespace {

// A parent window away from the screen's centre, so that centring on it is seen.
struct Owner : QWidget {
    Owner() {
        setGeometry(40, 30, 500, 400);
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
};

QPoint centre(const QWidget* w) {
    return w->frameGeometry().center();
}

} // namespace

TEST(CommonDialogs, ColorrefHoldsRedInTheLowByte) {
    const struct {
        int colorref;
        QColor colour;
    } cases[] = {{0x0000ff, QColor(255, 0, 0)},
                 {0x00ff00, QColor(0, 255, 0)},
                 {0xff0000, QColor(0, 0, 255)},
                 {0x804020, QColor(0x20, 0x40, 0x80)},
                 {0, Qt::black}};
    for (const auto& t : cases) {
        EXPECT_EQ(ColorFromColorref(t.colorref), t.colour);
        EXPECT_EQ(ColorrefFromColor(t.colour), t.colorref);
    }
}

TEST(CommonDialogs, FolderDialogOpensOnTheStartFolder) {
    const TempDir dir;
    QDir().mkpath(dir.file("Bilder"));
    Owner owner;
    const struct {
        QString caption;
        bool accept;
        QString title;
        QString result;
    } cases[] = {{"Bilderverzeichnis", true, "Velomira - Bilderverzeichnis", dir.file("Bilder")},
                 {"Ablage", false, "Velomira - Ablage", ""}};
    for (const auto& t : cases) {
        QString title;
        QPoint dialogCentre;
        const OnNextDialog<QFileDialog> answer([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            dialogCentre = centre(dialog);
            t.accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        EXPECT_EQ(BrowseForFolder(&owner, dir.file("Bilder"), "Bitte wählen", t.caption), t.result);
        EXPECT_EQ(title, t.title);
        EXPECT_LE((dialogCentre - centre(&owner)).manhattanLength(), 4);
    }
}

TEST(CommonDialogs, FileDialogReturnsTheChosenFile) {
    const TempDir dir;
    WriteFile(dir.file("Velomira.cfg"), "feiertag;1.1.;Neujahr\n");
    const struct {
        bool accept;
        QString result;
    } cases[] = {{true, dir.file("Velomira.cfg")}, {false, ""}};
    for (const auto& t : cases) {
        QString title;
        const OnNextDialog<QFileDialog> answer([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            if (!t.accept) return dialog->reject();
            dialog->setDirectory(dir.path());
            dialog->selectFile("Velomira.cfg");
            static_cast<QDialog*>(dialog)->accept();
        });
        EXPECT_EQ(ShowFileDialog(nullptr, false, "Konfigurationsdateien (*.cfg)", "", "cfg",
                                 "Konfigurationsdatei wählen"),
                  t.result);
        EXPECT_EQ(title, "Velomira - Konfigurationsdatei wählen");
    }
}

// The colour dialog opens on the colour given, with 16 black custom colours each time, however the
// previous call left them.
TEST(CommonDialogs, ColourDialogStartsFreshEachTime) {
    Owner owner;
    const struct {
        int initial;
        QColor chosen; // invalid: cancelled
        int result;
    } cases[] = {{0x0000ff, QColor(0, 0, 255), 0xff0000}, {0x00ff00, QColor(), -1}};
    for (const auto& t : cases) {
        QColor opened;
        QString title;
        int blackCustom = 0;
        QPoint dialogCentre;
        const OnNextDialog<QColorDialog> answer([&](QColorDialog* dialog) {
            opened = dialog->currentColor();
            title = dialog->windowTitle();
            dialogCentre = centre(dialog);
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                blackCustom += QColorDialog::customColor(i) == QColor(Qt::black);
            QColorDialog::setCustomColor(3, Qt::white); // left behind for the next call
            if (!t.chosen.isValid()) return dialog->reject();
            dialog->setCurrentColor(t.chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        EXPECT_EQ(ChooseColorDialog(&owner, "Farbwahl", t.initial), t.result);
        EXPECT_EQ(opened, ColorFromColorref(t.initial));
        EXPECT_EQ(title, "Velomira - Farbwahl");
        EXPECT_EQ(blackCustom, 16);
        EXPECT_LE((dialogCentre - centre(&owner)).manhattanLength(), 4);
    }
}

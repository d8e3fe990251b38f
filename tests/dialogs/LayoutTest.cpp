#include "ShellSession.h"
#include "shell/KalenderDetailEinstellungen.h"
#include "shell/KalenderEinstellungen.h"
#include "shell/MainWindow.h"
#include "shell/Textstempel.h"

using Layout = ProgramTest;

// Each dialog and the settings window fit a 1024×768 screen, with every visible control inside its
// parent and every visible caption readable; pictures of them are left under the test output. Their
// switches enable the controls that depend on them.
TEST_F(Layout, WindowsFitTheSmallestScreenShowEveryCaptionAndFollowTheirSwitches) {
    Program().settings.kalender.datendatei = VELOMIRA_SOURCE_DIR "/data/Velomira.cfg";
    Textstempel stamp;
    KalenderEinstellungen calendar;
    KalenderDetailEinstellungen details;
    MainWindow settings;
    settings.fillFromSettings();
    for (QWidget* window : std::initializer_list<QWidget*>{&stamp, &calendar, &details, &settings}) {
        ShowActive(window);
        const QString name = window->objectName();
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(QRect({}, window->frameGeometry().size())));
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(window) || control->isWindow()) continue;
            const std::string what =
                control->metaObject()->className() + (" " + control->objectName().toStdString());
            EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry())) << what;
            QString caption = "-"; // colour fields and pictures have none
            const QWidget* shows = control;
            if (auto* label = qobject_cast<const QLabel*>(control);
                label && label->pixmap().isNull() && !label->autoFillBackground())
                caption = label->text();
            if (auto* button = qobject_cast<const QAbstractButton*>(control);
                button && button->icon().isNull())
                caption = button->text();
            // A bare check box takes its caption from the button right beside it.
            if (qobject_cast<const QCheckBox*>(control) && caption.isEmpty())
                if (auto* beside = qobject_cast<const QAbstractButton*>(control->parentWidget()->childAt(
                        control->geometry().right() + 12, control->geometry().center().y())))
                    caption = beside->text(), shows = beside;
            EXPECT_FALSE(caption.trimmed().isEmpty()) << what;
            for (const QString& line : caption.split('\n'))
                EXPECT_LE(shows->fontMetrics().horizontalAdvance(line), shows->width()) << what;
        }
        window->grab().save(QString(VELOMIRA_TEST_OUTPUT "/window-") + name + ".png");
    }
    // Each switch enables what depends on it.
    ExpectFollows(&stamp, "StempelTextFarbeLesbar", "StempelTextFarbeButton", true);
    ExpectFollows(&stamp, "StempelTextRahmenErzeugen", "StempelTextRahmenFarbeButton");
    ExpectFollows(&stamp, "StempelTextHGFüllen", "TextStempelHGFarbeButton");
    ExpectFollows(&calendar, "mitFerien", "mitFerienlegende");
    ExpectFollows(&calendar, "mitTerminen", "KalenderTermineMonatTag");
    ExpectFollows(&calendar, "KalenderTrennlinienErzeugen", "KalenderTrennlinienButton");
    ExpectFollows(&calendar, "KalenderRahmenErzeugen", "KalenderRahmenFarbeButton");
    ExpectFollows(&calendar, "KalenderHGFüllen", "KalenderHGFarbeButton");
}

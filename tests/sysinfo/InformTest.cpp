// The about box on a private X server, read the way a person sees it and closed with its OK button.
#include "shell/Inform.h"

#include "TestSupport.h"
#include "Version.h"
#include "imagelib/ImageLibrary.h"
#include "shell/ProgramIcon.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(Inform, ShowsTheVersionsAndClosesWithOk) {
    const XvfbServer x("800x600x24");
    ASSERT_FALSE(x.display().isEmpty());
    const ScopedEnv display("DISPLAY", x.display()), platform("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "test_inform";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
    QApplication::setWindowIcon(ProgramIcon()); // as the program does at start

    Inform dialog;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QString version = dialog.findChild<QLabel*>("Version")->text();
        EXPECT_TRUE(version.startsWith("Version " VELOMIRA_VERSION " ")) << version.toStdString();
        EXPECT_EQ(dialog.findChild<QLabel*>("picIcon")->pixmap().toImage(),
                  ProgramIcon().pixmap(48, 48).toImage());
        // Every component has its row, filled as the component tests check.
        EXPECT_EQ(dialog.findChild<QTreeWidget*>("VersionInfo")->topLevelItemCount(), 10);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(QMessageBox().windowIcon().isNull()); // a box opened from the tray, without a parent
}

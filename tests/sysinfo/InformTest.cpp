// The about box on a private X server, read the way a person sees it and closed with its OK button.
#include "shell/Inform.h"

#include "TestSupport.h"
#include "Version.h"
#include "imagelib/ImageLibrary.h"

#include <QApplication>
#include <QLabel>
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

    Inform dialog;
    bool exposed = false;
    QString version, firstRow;
    QTimer::singleShot(0, &dialog, [&] {
        exposed = QTest::qWaitForWindowExposed(&dialog);
        version = dialog.findChild<QLabel*>("Version")->text();
        if (const auto* row = dialog.findChild<QTreeWidget*>("VersionInfo")->topLevelItem(0))
            firstRow = row->text(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(exposed);
    EXPECT_TRUE(version.startsWith("Version " VELOMIRA_VERSION " ")) << version.toStdString();
    EXPECT_EQ(firstRow, "Betriebssystem"); // the version list, filled as the component tests check
}

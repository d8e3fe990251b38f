#include "shell/Inform.h"

#include "ProjectVersion.h"
#include "TestSupport.h"
#include "imagelib/ImageLibrary.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct Shown {
    bool exposed = false;
    QString version;
    QString autor;
    QList<QStringList> rows;
    QImage screenshot;
};

// What the open dialog shows, read the way a person would see it, then closed with its OK button.
Shown lookAndClose(Inform& dialog) {
    Shown shown;
    shown.exposed = QTest::qWaitForWindowExposed(&dialog);
    shown.version = dialog.findChild<QLabel*>("Version")->text();
    shown.autor = dialog.findChild<QLabel*>("Autor")->text();
    const auto* list = dialog.findChild<QTreeWidget*>("VersionInfo");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        shown.rows << QStringList{list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1)};
    QTest::qWait(100);
    shown.screenshot = dialog.screen()->grabWindow(dialog.winId()).toImage();
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    return shown;
}

} // namespace

TEST(Inform, ShowsTheBuildVersionAndClosesWithOk) {
    const XvfbServer x("800x600x24");
    ASSERT_FALSE(x.display().isEmpty());
    const ScopedEnv display("DISPLAY", x.display());
    const ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "test_inform";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");

    Inform dialog;
    Shown shown;
    QTimer::singleShot(0, &dialog, [&] { shown = lookAndClose(dialog); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    EXPECT_TRUE(shown.exposed);
    const ProjectVersion project = ReadProjectVersion();
    ASSERT_FALSE(project.version.isEmpty());
    EXPECT_EQ(shown.version, "Version " + project.version + " " + project.description);
    EXPECT_FALSE(shown.autor.isEmpty());
    ASSERT_GE(shown.rows.size(), 3);
    EXPECT_EQ(shown.rows.first().value(0), "Betriebssystem");
    const QList<QStringList> libraries = {{"libVelomiraIS.so", project.version},
                                          {"libVelomiraISE.so", project.version}};
    EXPECT_EQ(shown.rows.mid(shown.rows.size() - 2), libraries);

    ASSERT_FALSE(shown.screenshot.isNull());
    EXPECT_EQ(shown.screenshot.size(), dialog.size() * dialog.devicePixelRatio());
    EXPECT_TRUE(shown.screenshot.save(VELOMIRA_TEST_OUTPUT "/about-box.png"));
}

#pragma once

#include "TestSupport.h"
#include "app/Clock.h"
#include "app/ProgramState.h"
#include "pictures/PictureList.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The widget tests share one private X server ($DISPLAY) and one QApplication per test process; the
// image libraries are loaded and no desktop of the developer is touched.

// A user with a picture folder and a storage folder, set as the program's state: settings in a
// temporary file, a 320×240 screen, the name order, a change every 5 minutes and the clock at noon.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(pictures);
        ProgramState& program = Program();
        program.store = SettingsStore(home.file("Velomira.ini"));
        program.settings = Settings::defaults();
        program.settings.misc.bmpverzeichnis = home.path();
        program.settings.misc.reihenfolge = 1;
        program.settings.misc.delay = 5;
        program.settings.PictureFolders = {pictures + "/"};
        program.CurrentIndex = 0;
        program.StartupInProgress = false;
        program.ScreenWidth = 320;
        program.ScreenHeight = 240;
        Pictures().clear();
        SetClock([] { return QDateTime(QDate(2026, 3, 28), QTime(12, 0)); });
    }
    void TearDown() override { SetClock({}); }
    // Writes a JPEG of one colour into the folder.
    static void WritePicture(const QString& folder, const QString& name, QColor colour) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        image.save(folder + "/" + name + ".jpg");
    }

    TempDir home;
    QString pictures = home.file("Bilder");
    QString wallpaper = home.file("Velomira.bmp");
};

// Acts on the next modal dialog of type T once it is open, for as long as the returned timer lives.
template <class T> std::unique_ptr<QTimer> OnNextDialog(std::function<void(T*)> act) {
    auto poll = std::make_unique<QTimer>();
    QObject::connect(poll.get(), &QTimer::timeout, [timer = poll.get(), act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            act(dialog);
        }
    });
    poll->start(10);
    return poll;
}

// The control of `window` named `name`; the test fails when there is none.
template <class T> T* Child(const QObject* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Shows `window` and makes it the active one (nobody else does without a window manager).
inline void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Types `text` into `field` over what it holds, then moves the focus on to `next` as a user leaving
// the field does. Returns the text of the message box that came up (and was answered), else "".
inline QString TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next) {
    ShowActive(field->window());
    QString said;
    const auto answer = OnNextDialog<QMessageBox>([&](QMessageBox* box) {
        said = box->text();
        box->accept();
    });
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    next->setFocus(); // the field is checked, and a message box shown and answered, in here
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a message box left open";
    return said;
}

// Clicks the check box `box` of `window` twice: each time `dependent` is enabled exactly when the box
// is ticked (unticked with `inverse`).
inline void ExpectFollows(QWidget* window, const char* box, const char* dependent, bool inverse = false) {
    for (int i = 0; i < 2; ++i) {
        Child<QCheckBox>(window, box)->click();
        EXPECT_EQ(Child<QWidget>(window, dependent)->isEnabled(),
                  Child<QCheckBox>(window, box)->isChecked() != inverse)
            << box << " " << dependent;
    }
}

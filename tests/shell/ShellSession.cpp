#include "ShellSession.h"

#include "app/Clock.h"
#include "app/ProgramState.h"
#include "imagelib/ImageLibrary.h"
#include "pictures/PictureList.h"

#include <QDir>
#include <QImage>
#include <memory>

namespace {

QString display;

class Session : public ::testing::Environment {
public:
    void SetUp() override {
        x_ = std::make_unique<XvfbServer>("800x600x24");
        display = x_->display();
        qputenv("DISPLAY", display.toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");
        // The root-window wallpaper of the private server, and the XEmbed tray rather than D-Bus.
        qputenv("XDG_CURRENT_DESKTOP", "");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        static int argc = 1;
        static char name[] = "test_shell_window";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
    }
    void TearDown() override {
        app_.reset();
        x_.reset();
    }

private:
    std::unique_ptr<XvfbServer> x_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kSession = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

const QString& SessionDisplay() {
    return display;
}

void ProgramTest::SetUp() {
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

void ProgramTest::TearDown() {
    SetClock({});
}

void ProgramTest::WritePicture(const QString& folder, const QString& name, QColor colour) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    image.save(folder + "/" + name + ".jpg");
}

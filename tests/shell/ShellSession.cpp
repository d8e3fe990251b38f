#include "ShellSession.h"

#include "imagelib/ImageLibrary.h"

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

#include "ShellSession.h"

#include "imagelib/ImageLibrary.h"
#include "shell/QtTranslations.h"

namespace {

struct Session : ::testing::Environment {
    void SetUp() override {
        x = std::make_unique<XvfbServer>("800x600x24");
        qputenv("DISPLAY", x->display().toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");
        // The root-window wallpaper of the private server, and the XEmbed tray rather than D-Bus.
        qputenv("XDG_CURRENT_DESKTOP", "");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        // A German user, with Qt's own texts in German as the program loads them.
        qputenv("LANG", "de_DE.UTF-8");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        static int argc = 1;
        static char name[] = "test_shell_window";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        InstallQtTranslations();
        ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), "");
    }
    void TearDown() override {
        app.reset();
        x.reset();
    }
    std::unique_ptr<XvfbServer> x;
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] const auto* const kSession = ::testing::AddGlobalTestEnvironment(new Session);

} // namespace

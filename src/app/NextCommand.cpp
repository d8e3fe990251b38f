#include "app/NextCommand.h"

#include "app/Startup.h"
#include "platform/Display.h"
#include "platform/Paths.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

const QSize kDefaultSize(1920, 1080);

} // namespace

int RunNextCommand(int argc, char** argv, const CommandLine& command) {
    // The screen decides the size when there is one and no size was asked for; otherwise no
    // display is needed at all.
    const bool useScreen = !command.size.isValid() && DisplayAvailable();
    if (!useScreen) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    ProgramState& program = Program();
    StartupHooks hooks;
    hooks.screenSize = [&] {
        return useScreen ? PrimaryScreenSize() : command.size.isValid() ? command.size : kDefaultSize;
    };
    if (const QString error = RunStartup(program, Library(), LibraryFolders(), hooks); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (!program.store.WriteSetting("misc", "letztes_bild", QString::number(program.CurrentIndex))) {
        std::fprintf(stderr, "Die Einstellungen konnten nicht gespeichert werden: %s\n",
                     qPrintable(program.store.path()));
        return 1;
    }
    return 0;
}

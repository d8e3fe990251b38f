#include "app/NextCommand.h"

#include "app/RunningProgram.h"
#include "app/SettingsClaim.h"
#include "app/Startup.h"
#include "compose/ComposeWallpaper.h"
#include "platform/Display.h"
#include "platform/Paths.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

const QSize kDefaultSize(1920, 1080);

// Ends the run once the picture is written and shown and the position stored, without tearing the
// application down: Qt's font database, which a run without a text stamp or calendar never loads,
// would load every font configuration on the way out only to free it, a quarter of the whole run.
// Nothing is left to do for the process: every file is written and synced, every call to the
// desktop has been answered.
[[noreturn]] void endRun(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

int RunNextCommand(int argc, char** argv, const CommandLine& command) {
    // The screen decides the size when there is one and no size was asked for; otherwise no
    // display is needed at all.
    if (command.size.isValid())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        ChooseQtPlatform();
    QGuiApplication app(argc, argv);
    const QString problem = command.size.isValid() ? QString() : DisplayProblem();
    const bool useScreen = !command.size.isValid() && problem.isEmpty();
    if (!problem.isEmpty())
        std::fprintf(stderr, "velomira: %s; das Bild wird in %dx%d erzeugt\n", qPrintable(problem),
                     kDefaultSize.width(), kDefaultSize.height());
    // A running program changes the picture itself, so that its settings have one owner.
    if (const std::optional<int> status = AskRunningProgramForNext()) return *status;

    ProgramState& program = Program();
    // One that cannot be asked (no session bus) still owns them: this run stores nothing.
    if (SettingsClaim::held(program.store.path())) {
        std::fputs(
            "velomira: Velomira läuft schon, ist aber nicht erreichbar; die Position bleibt ungespeichert.\n",
            stderr);
        program.store.setReadOnly();
    }
    StartupHooks hooks;
    hooks.screenSize = [&] {
        return useScreen ? PrimaryScreenSize() : command.size.isValid() ? command.size : kDefaultSize;
    };
    if (const QString error = RunStartup(program, Library(), LibraryFolders(), hooks); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    RefreshPictureList(program.settings, program.settings.PictureFolders, Pictures());
    WallpaperResult shown;
    if (!ComposeWallpaper(program, Pictures(), &shown)) endRun(1);
    endRun(shown.status == WallpaperResult::Status::Refused ? 3 : 0);
}

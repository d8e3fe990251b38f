#include "app/Startup.h"

QString RunStartup(ProgramState& program, ImageLibrary& library, const QStringList& libraryFolders,
                   const StartupHooks& hooks) {
    program.StartupInProgress = true;
    if (const QString error = library.load(libraryFolders); !error.isEmpty()) return error;

    const QSize screen = hooks.screenSize();
    program.ScreenWidth = screen.width();
    program.ScreenHeight = screen.height();

    const LoadedSettings loaded = LoadSettings(program.store);
    program.settings = loaded.settings;
    program.StartDelay = loaded.StartDelay;

    if (hooks.fillWindow) hooks.fillWindow();
    // After the filling, whose handlers lower CurrentIndex.
    program.CurrentIndex = program.settings.misc.letztes_bild;
    program.StartupInProgress = false;
    return {};
}

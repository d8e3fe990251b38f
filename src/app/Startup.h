#pragma once

#include "app/ProgramState.h"
#include "imagelib/ImageLibrary.h"

#include <QSize>
#include <QStringList>
#include <functional>

struct StartupHooks {
    std::function<QSize()> screenSize;
    // Fills the hidden settings window from the record; its change handlers may fire meanwhile.
    std::function<void()> fillWindow;
};

// The start-up sequence up to the hand-over to a start path: StartupInProgress set, the image
// libraries loaded and initialised, the screen size fixed, every setting read, the window filled,
// CurrentIndex taken from letztes_bild, StartupInProgress cleared. Returns an empty string, or the
// message for the user when an image library is missing (nothing else has happened then).
QString RunStartup(ProgramState& program, ImageLibrary& library, const QStringList& libraryFolders,
                   const StartupHooks& hooks);

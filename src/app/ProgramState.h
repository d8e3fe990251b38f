#pragma once

#include "app/Settings.h"
#include "app/SettingsStore.h"

// The program-wide values that live for the whole run.
struct ProgramState {
    SettingsStore store{SettingsStore::defaultPath()};
    Settings settings = Settings::defaults();
    int CurrentIndex = 0;           // 1-based position of the picture shown last
    bool StartupInProgress = false; // the composition refuses to run while set
    int ScreenWidth = 0;            // pixels, fixed at start-up
    int ScreenHeight = 0;
    int StartDelay = 0; // minutes to the first change on a normal start: 0 or 1

    // Saves the record, with CurrentIndex as letztes_bild.
    bool save();
};

// The program's one instance.
ProgramState& Program();

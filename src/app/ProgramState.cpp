#include "app/ProgramState.h"

bool ProgramState::save() {
    settings.misc.letztes_bild = CurrentIndex;
    return SaveSettings(store, settings);
}

ProgramState& Program() {
    static ProgramState state;
    return state;
}

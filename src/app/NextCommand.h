#pragma once

#include "app/CommandLine.h"

// velomira --next: start up without a window, compose the next wallpaper, set it, remember the
// position and return the exit status (0, or 1 with the reason on stderr). A tray program running
// in the session is asked to do it instead.
int RunNextCommand(int argc, char** argv, const CommandLine& command);

#pragma once

#include "app/CommandLine.h"

// velomira --next: start up without a window, compose the next wallpaper, set it, remember the
// position and return the exit status: 0 when the desktop shows it or there is no graphical
// session, 3 when a desktop was found but did not take it, 1 when it could not be made (the reason
// is on stderr for 1 and 3). A tray program running in the session is asked to do it instead.
int RunNextCommand(int argc, char** argv, const CommandLine& command);

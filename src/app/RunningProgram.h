#pragma once

#include <optional>

// The tray program of this session as a second process reaches it: on the session bus under this
// name, with one object that offers Next, Status and Configure.
inline constexpr char kRunningProgramName[] = "de.korbinheim.Velomira";
inline constexpr char kRunningProgramPath[] = "/Velomira";

// Asks the running program for its next picture: the exit status of velomira --next (0, or 1 with
// its error text on stderr), or nothing when no program runs or there is no session bus.
std::optional<int> AskRunningProgramForNext();

// velomira --status: prints the running program's picture, next change and picture count and
// returns 0, or says on stderr that none runs and returns 1.
int PrintRunningProgramStatus();

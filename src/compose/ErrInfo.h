#pragma once

#include <QString>
#include <functional>

// Shows a composition error to the user: the message window ErrInfo in the running program,
// standard error when no window may be shown (velomira --next, the default).
void ShowErrInfo(const QString& text);

// Replaces how errors are shown (an empty function restores standard error).
void SetErrInfoHandler(std::function<void(const QString&)> handler);
// The handler in force (empty for standard error), for a caller that adds to it for a while.
std::function<void(const QString&)> ErrInfoHandler();

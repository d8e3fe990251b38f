#pragma once

#include <QString>
#include <QStringList>

// A program with its arguments; run without a shell, so no argument is ever interpreted.
struct ExternalCommand {
    QString program;
    QStringList args;

    bool operator==(const ExternalCommand&) const = default;
};

struct CommandResult {
    bool ok = false; // started, finished in time and exited with status 0
    QString output;  // standard output
    QString error;   // why it failed, for the user: empty when ok
};

// Runs the command and waits for it, at most `timeoutMs`.
CommandResult RunCommand(const ExternalCommand& command, int timeoutMs = 15000);

#pragma once

#include <QString>

// The entry that XDG desktops read at login: $XDG_CONFIG_HOME/autostart/velomira.desktop. The file
// itself is the whole state, so the program keeps no setting of its own for it.
QString AutostartFile();

// True when the entry exists and the desktop's own session settings have not switched it off; they
// keep the file and mark it instead.
bool AutostartEnabled();

// Writes the entry so that the session starts `program` (an absolute path), or removes it. False when
// the file could not be written or removed.
bool SetAutostart(bool enabled, const QString& program);

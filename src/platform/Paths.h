#pragma once

#include <QString>
#include <QStringList>

// Folder identifiers of SpecialFolderPath.
constexpr int CSIDL_PERSONAL = 5;

// The user's documents folder for CSIDL_PERSONAL (the XDG documents folder when it exists, else the
// home folder), without a trailing "/"; an empty string for other identifiers.
QString SpecialFolderPath(int csidl);

// Mode 1: the path exists and is not a directory; mode 2: it is a directory; any other mode: it
// exists. Symbolic links are followed; an empty path or any error gives false.
bool PathExists(const QString& path, int mode);

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute (as the XDG rules ask).
QString ConfigHome();

// The folder of the running executable.
QString ProgramFolder();

// Folders searched for the image libraries, in order: the installed or build-tree layout
// (<prefix>/lib/velomira beside <prefix>/bin), then the executable's own folder.
QStringList LibraryFolders();

// The folder of the shipped data (Velomira.cfg, sample pictures): <prefix>/share/velomira when it
// exists, else the executable's own folder.
QString DataFolder();

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <string_view>

// The KEY=value pairs of an os-release file, by key.
using OsReleaseFields = QHash<QString, QString>;

// Parses os-release text: shell-style KEY=value assignments, values unquoted, in "..." or in '...'.
// Comments, blank lines and lines that are not a well-formed assignment are skipped.
OsReleaseFields ParseOsRelease(std::string_view text);

// The first readable file of `paths`, parsed; empty when none can be read. The default order is the
// one os-release files are looked up by: /etc first, then the vendor copy in /usr/lib.
OsReleaseFields ReadOsRelease(const QStringList& paths = {"/etc/os-release", "/usr/lib/os-release"});

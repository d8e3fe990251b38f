#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

// Replaces the file at `path` with `data` so that a reader, a crash or a full disk sees either the
// old file or the complete new one: the bytes go to a temporary file in the same folder, are
// flushed to disk and then renamed over the old file. Returns false (old file untouched) on failure.
bool WriteFileAtomically(const QString& path, const QByteArray& data, mode_t mode);

// Removes the temporary files that writers of `path` (this function's and the image library's, both
// named path.XXXXXX) left behind when they were killed: regular files of the current user, not
// changed for some minutes, so that a write still under way is never touched. Other files stay.
void RemoveStaleTemporaries(const QString& path);

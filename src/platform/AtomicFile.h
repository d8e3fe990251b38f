#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

// Replaces the file at `path` with `data` so that a reader, a crash or a full disk sees either the
// old file or the complete new one: the bytes go to a temporary file in the same folder, are
// flushed to disk and then renamed over the old file. Returns false (old file untouched) on failure.
bool WriteFileAtomically(const QString& path, const QByteArray& data, mode_t mode);

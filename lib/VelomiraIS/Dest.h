#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>
#include <sys/types.h>

// A file being replaced: the new content goes to a temporary file beside it, which takes the
// file's place in one rename once it is complete. Until then, and after any failure, the old file
// stays as it was.
class Dest {
public:
    // Creates the temporary file; returns an IS40_ERR_* code.
    int32_t open(const char* path);
    ~Dest();

    // Appends bytes to the temporary file.
    bool write(std::span<const uint8_t> bytes);

    // Flushes the temporary file to disk and renames it over the file. Once only.
    bool commit();

private:
    QByteArray path_;
    QByteArray temp_;
    int fd_ = -1;
    off_t written_ = 0;
};

Dest* ToDest(uintptr_t handle);

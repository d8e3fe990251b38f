#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// The bytes of one fuzz input as a file, for parsers that read files; a memory file keeps the disk
// out of the loop. Returns the file's path, the same for every input of the process.
inline const std::string& AsFile(const uint8_t* data, size_t size) {
    static const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size)) __builtin_trap();
    return path;
}

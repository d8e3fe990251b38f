#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>

// An opened picture file. Its bytes are read once, at the first use, and shared by the decoder
// and the metadata readers.
class Source {
public:
    // Opens a regular file (following symlinks); returns an IS40_ERR_* code.
    int32_t open(const char* path);
    ~Source();

    // Reads the whole file on the first call. Returns an IS40_ERR_* code.
    int32_t load();
    std::span<const uint8_t> bytes() const {
        return {reinterpret_cast<const uint8_t*>(bytes_.constData()), size_t(bytes_.size())};
    }

private:
    int fd_ = -1;
    QByteArray bytes_;
    bool loaded_ = false;
};

Source* ToSource(uintptr_t handle);

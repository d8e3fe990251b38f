#pragma once

#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// The metadata blocks of a picture file in memory, parsed by Exiv2; null when Exiv2 cannot read
// the file, with the IS40_ERR_* code in `error`. Exiv2's exceptions and messages stay inside.
std::unique_ptr<Exiv2::Image> ReadMetadata(std::span<const uint8_t> bytes, int32_t& error);

// Text of a file as UTF-8: valid UTF-8 stays as it is, anything else is read as Latin-1 (the
// character set of older IPTC and EXIF writers).
std::string AsUtf8(std::string_view raw);

// Hands `text` to a C caller as a new calloc block (not zero-terminated) and its length in bytes.
// Returns 1, or 0 when the block cannot be had (IS40_ERR_MEMORY) or the text is too long.
int32_t HandOut(std::string_view text, char** block, int32_t* length);

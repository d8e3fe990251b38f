#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>

// What Qt's BMP and GIF readers do not check: they show a truncated file's picture with its
// missing part blank instead of failing, and Qt refuses BMPs that are merely large with the same
// error as corrupt ones. Returns IS40_ERR_CORRUPT, IS40_ERR_TOO_LARGE or IS40_ERR_NONE for the
// whole file `data` of the Qt format `format` ("bmp", "gif"; others pass).
int32_t CheckBeforeQt(std::span<const uint8_t> data, const QByteArray& format);

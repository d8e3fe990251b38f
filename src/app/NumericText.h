#pragma once

#include <QStringView>
#include <cstdint>

// Text to number as the settings have always been read: leading blanks and tabs are skipped, an
// optional sign and the decimal digits that follow give the value, anything after them is ignored,
// and text without a leading integer gives 0 ("12abc" -> 12, "abc" -> 0, " -7" -> -7, "1.9" -> 1).
// Values beyond the 32-bit range are clamped to it.
int32_t TextToInt(QStringView text);

// Floating point to integer, ties to even (2.5 -> 2, 3.5 -> 4), clamped to the 32-bit range.
int32_t RoundHalfEven(double value);

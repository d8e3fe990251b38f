#pragma once

#include <string>

// Exiv2's own words for a tag value ("North", "top, left") in the language of the program's dates:
// the locale's, German when no locale is set. Words the catalog lacks, and every word when there is
// no catalog for the language, stay in Exiv2's English.
std::string TranslateExiv2Words(const std::string& english);

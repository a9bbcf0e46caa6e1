#pragma once
// The field encodings of native command data: N(n), N(n,d) and T(n). Fields are
// protocol text: one byte per character.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Currency.h"

namespace epson {

// N(n): an integer zero-padded on the left to n digits; only the last n digits
// remain when it has more (N(123, 2) is "23").
std::string N(int64_t aValue, int aWidth);
// N(n,d): a value written with d decimals and the point removed, zero-padded to n
// characters, the last n kept: N(12.50, 9, 2) is "000001250".
std::string N(Currency aValue, int aWidth, int aDecimals);

// Document text (UTF-8) in the printer's characters: every character up to U+00FF
// becomes the byte of the same value, any other character becomes "?".
std::string ToPrinterText(std::string_view aText);
// T(n): document text in the printer's characters, padded on the right with blanks
// and cut to exactly n characters.
std::string T(std::string_view aText, int aWidth);

}  // namespace epson

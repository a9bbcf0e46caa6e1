#pragma once
// Conversions of request text to numbers and Booleans, with the messages that
// the library reports for text that does not convert.

#include <cstdint>
#include <string_view>

// Decimal 32-bit signed integer with optional sign, nothing else (no blanks, no hex).
// Throws std::runtime_error("'<text>' is not a valid integer value").
int32_t StrToInt32(std::string_view text);
// Same, returning false instead of throwing.
bool TryStrToInt32(std::string_view text, int32_t& value);

// A number (zero false, any other true) or "true"/"false" in any letter case.
// Throws std::runtime_error("'<text>' is not a valid boolean value").
bool StrToBool(std::string_view text);

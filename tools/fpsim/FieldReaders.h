#pragma once
// Readers of the command fields that the fiscal and report commands share.

#include "runtime/DateTime.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A date written ddmmyy (yearDigits 2, years 2000-2099) or ddmmyyyy (yearDigits 4)
// at pos; nothing when the characters are not digits or not a valid date.
std::optional<DateTime> ReadDate(const std::string& text, std::size_t pos, std::size_t yearDigits);

// The text without leading and trailing blanks.
std::string Trim(std::string_view text);

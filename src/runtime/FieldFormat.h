#pragma once
// Splitting separated lists and writing the fixed-width numeric fields of the printer protocol.

#include <string>
#include <string_view>

#include "runtime/Currency.h"

// Field aIndex (from 1) of aText split at aSeparator; empty beyond the last field.
// With aToEnd, everything from the start of that field to the end, separators included.
std::string ExtractToken(std::string_view aText, int aIndex, char aSeparator, bool aToEnd = false);

// aValue with exactly aDecimals decimals, the point replaced by aSeparator, zero-padded
// on the left and cut to its last aWidth characters: (12.5, 9, 2) -> "000001250",
// (123, 2, 0) -> "23", (-5, 4, 0) -> "00-5". With aSigned the digits of the magnitude
// follow a leading "-" for a negative value or "+" otherwise: (-12.5, 6, 2) -> "-01250".
// Decimals are limited to 0..18.
std::string FormatNumberField(double aValue, int aWidth, int aDecimals,
                              std::string_view aSeparator = "", bool aSigned = false);
// The same from an exact currency value; fewer than four decimals round half away from zero.
std::string FormatNumberField(Currency aValue, int aWidth, int aDecimals,
                              std::string_view aSeparator = "", bool aSigned = false);

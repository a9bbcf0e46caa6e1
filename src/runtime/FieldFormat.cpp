#include "runtime/FieldFormat.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMaxDecimals = 18;

// Replaces the point, pads with zeros, keeps the last aWidth characters and applies the
// sign. A signed field carries its sign only in front, never a second one among the digits.
std::string FitField(std::string number, bool negative, int width, std::string_view separator,
                     bool isSigned) {
  if (isSigned && number.starts_with('-')) number.erase(0, 1);
  size_t point = number.find('.');
  if (point != std::string::npos) number.replace(point, 1, separator);
  if (width <= 0) return {};
  std::string padded = std::string(static_cast<size_t>(width), '0') + number;
  std::string field = padded.substr(padded.size() - static_cast<size_t>(width));
  if (isSigned) field[0] = negative ? '-' : '+';
  return field;
}

uint64_t PowerOfTen(int exponent) {
  uint64_t value = 1;
  while (exponent-- > 0) value *= 10;
  return value;
}

// The magnitude of a currency value with the given number of decimals, as digits and point.
std::string CurrencyDigits(uint64_t magnitude, int decimals) {
  std::string digits;
  if (decimals <= 4) {
    uint64_t unit = PowerOfTen(4 - decimals);
    digits = std::to_string((magnitude + unit / 2) / unit);
  } else {
    digits = std::to_string(magnitude) + std::string(static_cast<size_t>(decimals - 4), '0');
  }
  if (decimals == 0) return digits;
  if (digits.size() <= static_cast<size_t>(decimals)) {
    digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
  return digits;
}

}  // namespace

std::string ExtractToken(std::string_view aText, int aIndex, char aSeparator, bool aToEnd) {
  if (aIndex < 1) return {};
  size_t start = 0;
  for (int field = 1; field < aIndex; ++field) {
    size_t separator = aText.find(aSeparator, start);
    if (separator == std::string_view::npos) return {};
    start = separator + 1;
  }
  if (aToEnd) return std::string(aText.substr(start));
  return std::string(aText.substr(start, aText.find(aSeparator, start) - start));
}

std::string FormatNumberField(double aValue, int aWidth, int aDecimals, std::string_view aSeparator,
                              bool aSigned) {
  int decimals = std::clamp(aDecimals, 0, kMaxDecimals);
  int length = std::snprintf(nullptr, 0, "%.*f", decimals, aValue);
  std::string number(static_cast<size_t>(std::max(length, 0)), '\0');
  std::snprintf(number.data(), number.size() + 1, "%.*f", decimals, aValue);
  return FitField(number, aValue < 0, aWidth, aSeparator, aSigned);
}

std::string FormatNumberField(Currency aValue, int aWidth, int aDecimals, std::string_view aSeparator,
                              bool aSigned) {
  int64_t raw = aValue.Raw();
  uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string number = CurrencyDigits(magnitude, std::clamp(aDecimals, 0, kMaxDecimals));
  if (raw < 0) number.insert(0, "-");
  return FitField(number, raw < 0, aWidth, aSeparator, aSigned);
}

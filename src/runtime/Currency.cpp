#include "runtime/Currency.h"

#include <cstdio>
#include <limits>
#include <stdexcept>

#include "runtime/Text.h"

namespace {

using Wide = __int128;

constexpr Wide kMaxRaw = std::numeric_limits<int64_t>::max();
constexpr Wide kMinRaw = std::numeric_limits<int64_t>::min();
// Largest whole part that can still fit once scaled; checked while reading digits so
// that arbitrarily long texts never overflow the accumulator.
constexpr Wide kMaxWholePart = kMaxRaw / Currency::kScale + 1;

[[noreturn]] void ThrowNotFloat(std::string_view text) {
  throw std::runtime_error("'" + EscapeNul(text) + "' is not a valid floating point value");
}

int64_t CheckedRaw(Wide value) {
  if (value > kMaxRaw || value < kMinRaw) throw std::runtime_error("Currency overflow");
  return static_cast<int64_t>(value);
}

// num / den rounded to the nearest integer, halves to the even neighbour.
Wide DivideHalfEven(Wide num, Wide den) {
  Wide quotient = num / den;
  Wide remainder = num % den;
  Wide twiceRest = 2 * (remainder < 0 ? -remainder : remainder);
  Wide absDen = den < 0 ? -den : den;
  if (twiceRest > absDen || (twiceRest == absDen && quotient % 2 != 0)) {
    quotient += ((num < 0) != (den < 0)) ? -1 : 1;
  }
  return quotient;
}

// The digits of a decimal text in ten-thousandths, with what lies past the fourth decimal.
struct DecimalDigits {
  bool negative = false;
  Wide magnitude = 0;     // whole part and first four decimals, in ten-thousandths
  int fifthDecimal = 0;
  bool restNonZero = false;  // any non-zero digit after the fifth decimal
};

bool ReadDecimal(std::string_view text, DecimalDigits& out) {
  size_t i = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) out.negative = text[i++] == '-';
  Wide whole = 0, fraction = 0;
  int decimals = 0;
  bool seenPoint = false, seenDigit = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !seenPoint) { seenPoint = true; continue; }
    if (c < '0' || c > '9') return false;
    int digit = c - '0';
    seenDigit = true;
    if (!seenPoint) {
      whole = whole * 10 + digit;
      if (whole > kMaxWholePart) return false;
    } else if (decimals < 4) {
      fraction = fraction * 10 + digit;
      ++decimals;
    } else if (decimals++ == 4) {
      out.fifthDecimal = digit;
    } else {
      out.restNonZero = out.restNonZero || digit != 0;
    }
  }
  for (; decimals < 4; ++decimals) fraction *= 10;
  out.magnitude = whole * Currency::kScale + fraction;
  return seenDigit;
}

Wide RoundedMagnitude(const DecimalDigits& d) {
  bool up = d.fifthDecimal > 5 || (d.fifthDecimal == 5 && (d.restNonZero || d.magnitude % 2 != 0));
  return d.magnitude + (up ? 1 : 0);
}

}  // namespace

Currency Currency::Parse(std::string_view text) {
  DecimalDigits digits;
  if (!ReadDecimal(text, digits)) ThrowNotFloat(text);
  Wide magnitude = RoundedMagnitude(digits);
  Wide value = digits.negative ? -magnitude : magnitude;
  if (value > kMaxRaw || value < kMinRaw) ThrowNotFloat(text);
  return FromRaw(static_cast<int64_t>(value));
}

std::string Currency::ToResultText() const {
  uint64_t magnitude = fRaw < 0 ? 0 - static_cast<uint64_t>(fRaw) : static_cast<uint64_t>(fRaw);
  std::string text = (fRaw < 0 ? "-" : "") + std::to_string(magnitude / kScale);
  unsigned fraction = static_cast<unsigned>(magnitude % kScale);
  if (fraction != 0) {
    char decimals[8];
    std::snprintf(decimals, sizeof decimals, "%04u", fraction);
    std::string trimmed(decimals);
    trimmed.erase(trimmed.find_last_not_of('0') + 1);
    text += "." + trimmed;
  }
  return text;
}

Currency Currency::operator*(Currency other) const {
  return FromRaw(CheckedRaw(DivideHalfEven(Wide(fRaw) * other.fRaw, kScale)));
}

Currency Currency::operator/(Currency other) const {
  if (other.fRaw == 0) throw std::runtime_error("Division by zero");
  return FromRaw(CheckedRaw(DivideHalfEven(Wide(fRaw) * kScale, other.fRaw)));
}

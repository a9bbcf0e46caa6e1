#pragma once
// A money, quantity or rate value: a signed 64-bit count of ten-thousandths.
// Products and quotients are rounded back to four decimals with halves to even.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class Currency {
public:
  static constexpr int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t tenThousandths) { Currency c; c.fRaw = tenThousandths; return c; }
  static constexpr Currency FromUnits(int64_t units) { return FromRaw(units * kScale); }

  // Parses a decimal number with "." as separator and an optional sign ("12.50", "-3", "+0.5").
  // More than four decimals are rounded half to even. Anything else (a comma, blanks,
  // exponents, a value outside the 64-bit range) throws std::runtime_error with
  // "'<text>' is not a valid floating point value".
  static Currency Parse(std::string_view text);

  constexpr int64_t Raw() const { return fRaw; }
  double ToDouble() const { return static_cast<double>(fRaw) / kScale; }
  bool IsZero() const { return fRaw == 0; }

  // "22", "5.5", "-3.25", "0": point as separator, no trailing zeros, no point when whole.
  std::string ToResultText() const;

  Currency operator+(Currency other) const { return FromRaw(fRaw + other.fRaw); }
  Currency operator-(Currency other) const { return FromRaw(fRaw - other.fRaw); }
  Currency operator-() const { return FromRaw(-fRaw); }
  Currency& operator+=(Currency other) { fRaw += other.fRaw; return *this; }
  Currency& operator-=(Currency other) { fRaw -= other.fRaw; return *this; }
  // Product and quotient of two currency values, rounded half to even to four decimals.
  // Division by zero throws std::runtime_error("Division by zero"); a result outside
  // the 64-bit range throws std::runtime_error("Currency overflow").
  Currency operator*(Currency other) const;
  Currency operator/(Currency other) const;

  constexpr auto operator<=>(const Currency&) const = default;

private:
  int64_t fRaw = 0;
};

#pragma once
// A point in time counted from 30 December 1899 00:00 (the zero value means "no date").
// Held as whole milliseconds so that conversions to and from civil dates are exact;
// Days() gives the classic day count with the time of day as fraction.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class DateTime {
public:
  static constexpr int64_t kMsPerDay = 86400000;

  constexpr DateTime() = default;
  static constexpr DateTime FromMilliseconds(int64_t ms) { DateTime d; d.fMs = ms; return d; }
  // Years 1 to 9999. Throws std::runtime_error("Invalid argument to date encode") for a
  // combination that is not a valid date or time.
  static DateTime FromCivil(const CivilDateTime& civil);
  static DateTime Encode(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
  static bool IsValidCivil(const CivilDateTime& civil);
  // The local wall clock.
  static DateTime Now();

  // ISO 8601 as requests carry it: "yyyy-mm-dd" or "yyyy-mm-ddThh:nn[:ss[.f|.ff|.fff]][Z|+hh:mm|-hh:mm]".
  // A signed offset is subtracted to give UTC; no conversion to local time takes place.
  // Failure throws std::runtime_error("Invalid date string: <text>").
  static DateTime ParseIso8601(std::string_view text);

  constexpr int64_t Milliseconds() const { return fMs; }
  double Days() const { return static_cast<double>(fMs) / kMsPerDay; }
  bool IsZero() const { return fMs == 0; }
  CivilDateTime ToCivil() const;

  DateTime AddMilliseconds(int64_t ms) const { return FromMilliseconds(fMs + ms); }
  DateTime DatePart() const;   // midnight of the same day

  // "2021-06-15T10:20:30.000Z": the value as held, never converted, Z always appended.
  std::string ToIsoResult() const;
  // Italian regional formats: "15/06/2021", "10:20:30", "15/06/2021 10:20:30".
  std::string ToShortDate() const;
  std::string ToLongTime() const;
  std::string ToShortDateTime() const;
  // Free formatting with the tokens yyyy, yy, mm, dd, hh, nn, ss, zzz (other characters copied),
  // e.g. "yyyymmdd" or "yyyymmddhhnnsszzz".
  std::string Format(std::string_view pattern) const;

  constexpr auto operator<=>(const DateTime&) const = default;

private:
  int64_t fMs = 0;
};

// Milliseconds since midnight of the time of day of aTime.
int64_t TimeOfDayMs(DateTime aTime);

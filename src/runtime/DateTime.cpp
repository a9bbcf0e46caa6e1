#include "runtime/DateTime.h"

#include <ctime>
#include <cstdio>
#include <stdexcept>

#include "runtime/Text.h"

namespace {

// Day number of 1 January 1970 in the count that starts on 30 December 1899.
constexpr int64_t kUnixEpochDay = 25569;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian date to days since 1 January 1970 (era arithmetic over 400-year cycles).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = FloorDiv(y, 400);
  int64_t yearOfEra = y - era * 400;
  int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, CivilDateTime& out) {
  days += 719468;
  int64_t era = FloorDiv(days, 146097);
  int64_t dayOfEra = days - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  out.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2));
}

// Reads the fixed-width fields of an ISO 8601 text from left to right.
class IsoReader {
public:
  explicit IsoReader(std::string_view text) : fText(text) {}

  bool Digits(int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i, ++fPos) {
      if (fPos >= fText.size() || fText[fPos] < '0' || fText[fPos] > '9') return false;
      value = value * 10 + (fText[fPos] - '0');
    }
    return true;
  }
  bool Skip(char c) {
    if (fPos >= fText.size() || fText[fPos] != c) return false;
    ++fPos;
    return true;
  }
  bool AtEnd() const { return fPos == fText.size(); }

  // One to three digits as milliseconds: ".5" is 500, ".05" is 50.
  bool Fraction(int& ms) {
    int digits = 0;
    ms = 0;
    for (; digits < 3 && fPos < fText.size() && fText[fPos] >= '0' && fText[fPos] <= '9'; ++digits) {
      ms = ms * 10 + (fText[fPos++] - '0');
    }
    for (int i = digits; i < 3; ++i) ms *= 10;
    return digits > 0;
  }

private:
  std::string_view fText;
  size_t fPos = 0;
};

bool ReadIsoDate(std::string_view text, CivilDateTime& civil) {
  IsoReader r(text);
  return r.Digits(4, civil.year) && r.Skip('-') && r.Digits(2, civil.month) && r.Skip('-') &&
         r.Digits(2, civil.day) && r.AtEnd();
}

// Nothing, "Z", or "+hh:mm"/"-hh:mm" as a signed offset in milliseconds.
bool ReadIsoZone(IsoReader& r, int64_t& offsetMs) {
  if (r.AtEnd()) return true;
  if (r.Skip('Z')) return r.AtEnd();
  int sign = r.Skip('+') ? 1 : (r.Skip('-') ? -1 : 0);
  int hours = 0, minutes = 0;
  if (sign == 0 || !r.Digits(2, hours) || !r.Skip(':') || !r.Digits(2, minutes) || !r.AtEnd()) {
    return false;
  }
  if (hours > 23 || minutes > 59) return false;
  offsetMs = sign * (hours * 3600000LL + minutes * 60000LL);
  return true;
}

bool ReadIsoTime(std::string_view text, CivilDateTime& civil, int64_t& offsetMs) {
  IsoReader r(text);
  if (!r.Digits(2, civil.hour) || !r.Skip(':') || !r.Digits(2, civil.minute)) return false;
  if (r.Skip(':')) {
    if (!r.Digits(2, civil.second)) return false;
    if (r.Skip('.') && !r.Fraction(civil.millisecond)) return false;
  }
  return ReadIsoZone(r, offsetMs);
}

std::string Padded(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

}  // namespace

bool DateTime::IsValidCivil(const CivilDateTime& c) {
  return c.year >= 1 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
         c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 &&
         c.minute >= 0 && c.minute <= 59 && c.second >= 0 && c.second <= 59 &&
         c.millisecond >= 0 && c.millisecond <= 999;
}

DateTime DateTime::FromCivil(const CivilDateTime& c) {
  if (!IsValidCivil(c)) throw std::runtime_error("Invalid argument to date encode");
  int64_t days = DaysFromCivil(c.year, c.month, c.day) + kUnixEpochDay;
  int64_t timeOfDay = ((c.hour * 60LL + c.minute) * 60 + c.second) * 1000 + c.millisecond;
  return FromMilliseconds(days * kMsPerDay + timeOfDay);
}

DateTime DateTime::Encode(int year, int month, int day, int hour, int minute, int second, int ms) {
  return FromCivil(CivilDateTime{year, month, day, hour, minute, second, ms});
}

DateTime DateTime::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  int64_t localSeconds = static_cast<int64_t>(now.tv_sec) + local.tm_gmtoff;
  return FromMilliseconds(localSeconds * 1000 + now.tv_nsec / 1000000 + kUnixEpochDay * kMsPerDay);
}

DateTime DateTime::ParseIso8601(std::string_view text) {
  size_t separator = text.find('T');
  CivilDateTime civil{};
  int64_t offsetMs = 0;
  bool valid = ReadIsoDate(text.substr(0, separator), civil) &&
               (separator == std::string_view::npos ||
                ReadIsoTime(text.substr(separator + 1), civil, offsetMs)) &&
               IsValidCivil(civil);
  if (!valid) throw std::runtime_error("Invalid date string: " + EscapeNul(text));
  return FromCivil(civil).AddMilliseconds(-offsetMs);
}

CivilDateTime DateTime::ToCivil() const {
  CivilDateTime civil;
  int64_t days = FloorDiv(fMs, kMsPerDay);
  CivilFromDays(days - kUnixEpochDay, civil);
  int64_t timeOfDay = fMs - days * kMsPerDay;
  civil.hour = static_cast<int>(timeOfDay / 3600000);
  civil.minute = static_cast<int>(timeOfDay / 60000 % 60);
  civil.second = static_cast<int>(timeOfDay / 1000 % 60);
  civil.millisecond = static_cast<int>(timeOfDay % 1000);
  return civil;
}

DateTime DateTime::DatePart() const {
  return FromMilliseconds(FloorDiv(fMs, kMsPerDay) * kMsPerDay);
}

std::string DateTime::ToIsoResult() const { return Format("yyyy-mm-ddThh:nn:ss.zzzZ"); }
std::string DateTime::ToShortDate() const { return Format("dd/mm/yyyy"); }
std::string DateTime::ToLongTime() const { return Format("hh:nn:ss"); }
std::string DateTime::ToShortDateTime() const { return Format("dd/mm/yyyy hh:nn:ss"); }

std::string DateTime::Format(std::string_view pattern) const {
  CivilDateTime c = ToCivil();
  struct Token { std::string_view name; int value; int width; };
  const Token tokens[] = {{"yyyy", c.year, 4}, {"yy", c.year % 100, 2}, {"mm", c.month, 2},
                          {"dd", c.day, 2},    {"hh", c.hour, 2},       {"nn", c.minute, 2},
                          {"ss", c.second, 2}, {"zzz", c.millisecond, 3}};
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const Token* match = nullptr;
    for (const Token& t : tokens) {
      if (pattern.substr(i, t.name.size()) == t.name) { match = &t; break; }
    }
    if (match) {
      out += Padded(match->value, match->width);
      i += match->name.size();
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

int64_t TimeOfDayMs(DateTime aTime) {
  return aTime.Milliseconds() - aTime.DatePart().Milliseconds();
}

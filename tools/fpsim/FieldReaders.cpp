#include "FieldReaders.h"

#include "Printer.h"

std::optional<DateTime> ReadDate(const std::string& text, std::size_t pos, std::size_t yearDigits) {
  const int64_t day = ReadNumber(text, pos, 2), month = ReadNumber(text, pos + 2, 2);
  const int64_t year = ReadNumber(text, pos + 4, yearDigits);
  if (day < 0 || month < 0 || year < 0) return std::nullopt;
  CivilDateTime civil;
  civil.year = static_cast<int>(yearDigits == 2 ? 2000 + year : year);
  civil.month = static_cast<int>(month);
  civil.day = static_cast<int>(day);
  if (!DateTime::IsValidCivil(civil)) return std::nullopt;
  return DateTime::FromCivil(civil);
}

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

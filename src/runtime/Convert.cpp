#include "runtime/Convert.h"

#include <charconv>
#include <stdexcept>
#include <string>

#include "runtime/Text.h"

namespace {

[[noreturn]] void ThrowNotValid(std::string_view text, const char* kind) {
  throw std::runtime_error("'" + EscapeNul(text) + "' is not a valid " + kind + " value");
}

// "+" is accepted as a sign, but only in front of a digit ("+-5" is not a number).
std::string_view DropPlusSign(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') {
    return text.substr(1);
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Optional sign, digits, optional "." with digits; at least one digit. Sets
// isZero when every digit is 0.
bool IsDecimalNumber(std::string_view text, bool& isZero) {
  size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  bool seenDigit = false, seenPoint = false;
  isZero = true;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (IsDigit(c)) {
      seenDigit = true;
      isZero = isZero && c == '0';
    } else {
      return false;
    }
  }
  return seenDigit;
}

}  // namespace

bool TryStrToInt32(std::string_view text, int32_t& value) {
  std::string_view digits = DropPlusSign(text);
  int32_t parsed = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, parsed, 10);
  if (ec != std::errc() || ptr != end || digits.empty()) return false;
  value = parsed;
  return true;
}

int32_t StrToInt32(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt32(text, value)) ThrowNotValid(text, "integer");
  return value;
}

bool StrToBool(std::string_view text) {
  bool isZero = false;
  if (IsDecimalNumber(text, isZero)) return !isZero;
  if (EqualsIgnoreCaseAscii(text, "true")) return true;
  if (EqualsIgnoreCaseAscii(text, "false")) return false;
  ThrowNotValid(text, "boolean");
}
